#!/usr/bin/env python3
"""Runs the end-to-end cases: crepuscule.exe under Wine, one case after another (the README shows how).

Needs build/win64/crepuscule.exe and wintool.exe (and build/win32/crepuscule.exe for --arch win32).
The last line reads "e2e: N passed, M failed".
"""
import argparse
import glob
import importlib
import os
import shutil
import signal
import subprocess
import sys
import time
import traceback

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import harness  # noqa: E402


class Overdue(Exception):
    pass


def run_case(session, plan):
    case = harness.Case(session, plan)
    passed, message, start = False, "", time.monotonic()

    def overdue(signum, frame):
        raise Overdue("the case took more than %ss" % plan["timeout"])

    # Every wait has its own limit; this one catches a case that hangs anyway.
    signal.signal(signal.SIGALRM, overdue)
    signal.alarm(int(plan["timeout"] * harness.SLOW))
    try:
        case.setup()
        plan["fn"](case)
        signal.alarm(0)
        passed = True
    except (harness.Failure, Overdue) as e:
        message = str(e)
    except Exception:
        message = traceback.format_exc()
    finally:
        signal.alarm(0)
        try:
            if not passed:
                case.screenshot("failed-%s%s" % ("win32-" if session.arch == "win32" else "", plan["name"]))
            case.teardown(passed)
        except Exception:
            traceback.print_exc()
    return passed, message, time.monotonic() - start


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("groups", nargs="*", help="groups to run (file test_GROUP.py)")
    parser.add_argument("-k", dest="contains", help="only cases whose name contains this text")
    parser.add_argument("--list", action="store_true", help="list the cases and stop")
    parser.add_argument("--build", help="build directory (default: build/)")
    parser.add_argument("--display", help="use this X display instead of a private Xvfb")
    parser.add_argument("--arch", choices=("win64", "win32"), default="win64",
                        help="which program: the x86_64 one (default) or the i686 one")
    opts = parser.parse_args()

    for path in sorted(glob.glob(os.path.join(HERE, "test_*.py"))):
        importlib.import_module(os.path.splitext(os.path.basename(path))[0])
    cases = [c for c in harness.CASES
             if (not opts.groups or c["group"] in opts.groups) and (not opts.contains or opts.contains in c["name"])]
    if opts.list:
        for c in cases:
            print("%-40s %s" % (c["name"], c["version"]))
        return 0

    if not opts.display:
        # A private display, which the shell helpers start and end by its PID.
        return subprocess.call(["bash", "-c", '. "$0" && crep_xvfb_start || exit 1; trap crep_xvfb_stop EXIT; '
                                '"$@" --display "$DISPLAY"', harness.WINE_ENV, sys.executable, *sys.argv])
    # Ended from outside (a time limit): still end the prefixes.
    signal.signal(signal.SIGTERM, lambda signum, frame: sys.exit(1))
    passed = failed = retried = 0
    session = harness.Session(opts.display, opts.build, opts.arch)
    for plan in cases:
        ok, message, seconds = run_case(session, plan)
        name, note = plan["name"], ""
        if not ok:
            # Wine under load now and then loses input or fails to start one of
            # its own helpers: one more try, said in the output, logs of both kept.
            logs = os.path.join(session.logs, name)
            shutil.rmtree(logs + "-first-try", ignore_errors=True)
            if os.path.isdir(logs):
                os.rename(logs, logs + "-first-try")
            note = " on a second try; the first: %s" % (message.strip().splitlines() or ["?"])[-1]
            ok, message, seconds = run_case(session, plan)
            retried += ok
        if ok:
            passed += 1
            print("PASS %s (%.1fs)%s" % (name, seconds, note), flush=True)
        else:
            failed += 1
            print("FAIL %s (%.1fs)\n    %s\n    logs: %s" % (name, seconds, message.strip().replace("\n", "\n    "),
                                                           os.path.join(session.logs, name)), flush=True)
    print("e2e: %d passed, %d failed%s" % (passed, failed, ", %d of them on a second try" % retried if retried else ""))
    return 1 if failed or not cases else 0


if __name__ == "__main__":
    sys.exit(main())
