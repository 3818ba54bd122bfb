# Shell helpers for running crepuscule.exe under Wine; source this file.
# Every process started here is remembered by PID and ended by PID.

CREP_ROOT="${CREP_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
CREP_BUILD="${CREP_BUILD:-$CREP_ROOT/build}"

# The Wine loader. /usr/bin/wine starts the 32-bit one whenever wine32 is
# installed, but some kernels run no 32-bit Linux program at all (no IA32
# emulation): there the 64-bit loader runs the 64-bit programs, and the 32-bit
# ones cannot be run under Wine.
crep_wine32_runs() { /usr/lib/wine/wine --version >/dev/null 2>&1; }
if [ -z "${CREP_WINE:-}" ]; then
  CREP_WINE=wine
  if [ -x /usr/lib/wine/wine ] && [ -x /usr/lib/wine/wine64 ] && ! crep_wine32_runs; then
    CREP_WINE=/usr/lib/wine/wine64
    export WINELOADER="$CREP_WINE"
  fi
  export CREP_WINE
fi

# crep_wine PREFIX PROGRAM [ARGS...]: Wine in French (message-box buttons
# "OK"/"Annuler", ANSI code page 1252) even where the host lacks that locale,
# without the Mono and Gecko installers, quiet unless WINEDEBUG says otherwise.
# The locale goes through env so that bash itself never tries to load it.
# crep_env PREFIX COMMAND [ARGS...] runs any command in that environment (ctest, for instance).
crep_env() {
  local prefix="$1"
  shift
  env WINEPREFIX="$prefix" WINEDEBUG="${WINEDEBUG:--all}" WINEDLLOVERRIDES="mscoree,mshtml=" \
    LANG=fr_FR.UTF-8 LC_ALL=fr_FR.UTF-8 "$@"
}
crep_wine() { crep_env "$1" "$CREP_WINE" "${@:2}"; }

# Starts a private Xvfb on a free display and exports DISPLAY and CREP_XVFB_PID.
crep_xvfb_start() {
  local out
  out="$(mktemp)"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$out" >/dev/null 2>&1 &
  CREP_XVFB_PID=$!
  local i
  for i in $(seq 1 100); do
    if [ -s "$out" ]; then break; fi
    if ! kill -0 "$CREP_XVFB_PID" 2>/dev/null; then break; fi
    sleep 0.1
  done
  if [ ! -s "$out" ]; then
    echo "Xvfb did not start" >&2
    rm -f "$out"
    crep_xvfb_stop
    return 1
  fi
  export DISPLAY=":$(tr -d '[:space:]' <"$out")"
  export CREP_XVFB_PID
  rm -f "$out"
}

crep_xvfb_stop() {
  if [ -n "${CREP_XVFB_PID:-}" ]; then
    kill "$CREP_XVFB_PID" 2>/dev/null || true
    wait "$CREP_XVFB_PID" 2>/dev/null || true
    CREP_XVFB_PID=""
  fi
}

# crep_reg_set FILE SECTION NAME VALUE: sets a value in a Wine .reg file while no
# wineserver runs. SECTION and VALUE are written as in the file
# ('Software\\Wine', '"winxp"'); an empty VALUE deletes the name.
crep_reg_set() {
  local file="$1"
  REG_SECTION="[$2]" REG_NAME="\"$3\"=" REG_LINE="${4:+\"$3\"=$4}" awk '
    BEGIN { sec = tolower(ENVIRON["REG_SECTION"]); name = tolower(ENVIRON["REG_NAME"]);
            line = ENVIRON["REG_LINE"]; insec = 0; done = (line == "") }
    substr($0, 1, 1) == "[" {
      if (insec && !done) { print line; print ""; done = 1 }
      insec = (tolower(substr($0, 1, length(sec))) == sec)
      print; next
    }
    insec && tolower(substr($0, 1, length(name))) == name { next }
    insec && $0 == "" && !done { print line; done = 1 }
    { print }
    END {
      if (!done) {
        if (!insec) { print ""; print ENVIRON["REG_SECTION"] " 1700000000" }
        print line
      }
    }' "$file" >"$file.new" && mv -f "$file.new" "$file"
}

crep_reg_delete() { crep_reg_set "$1" "$2" "$3" ""; }

# crep_template DIR: a prefix made once and copied for every run. Remade when
# Wine changes, 32-bit Wine included: a prefix made before wine32 was installed
# no longer starts anything. Window management is off: without a window manager
# Wine would wait about 2 s each time a window with a title bar is hidden or closed.
crep_template() {
  local dir="$1" stamp
  # A prefix made while 32-bit Wine could not run has no 32-bit system folder: the
  # 32-bit program cannot start in it once 32-bit Wine runs (qemu registered, say).
  stamp="$(wine --version 2>/dev/null)-$(dpkg-query -W -f='${Version}' wine32:i386 2>/dev/null)-2"
  crep_wine32_runs && stamp="$stamp-wow64"
  if [ -f "$dir/.crep-template" ] && [ "$(cat "$dir/.crep-template")" = "$stamp" ]; then
    return 0
  fi
  rm -rf "$dir"
  mkdir -p "$(dirname "$dir")"
  WINEDEBUG=-all crep_wine "$dir" wineboot -i >/dev/null 2>&1
  WINEPREFIX="$dir" wineserver -w
  [ -f "$dir/user.reg" ] || { echo "wineboot made no prefix in $dir" >&2; return 1; }
  # 32-bit Wine adds a System folder of 16-bit stubs; Windows NT has none, and
  # the cases look for the one the program may create itself.
  rm -rf "$dir/drive_c/windows/system"
  crep_reg_set "$dir/user.reg" 'Software\\Wine\\X11 Driver' Managed '"N"'
  # Debian's default value silently overrides any RelayFromInclude.
  crep_reg_delete "$dir/user.reg" 'Software\\Wine\\Debug' RelayFromExclude
  echo "$stamp" >"$dir/.crep-template"
}

# crep_prefix_copy TEMPLATE DEST: Wine's own binaries are hard-linked (never
# written), everything else (registry, ini files) is copied.
crep_prefix_copy() {
  local tpl="$1" dest="$2"
  rm -rf "$dest"
  mkdir -p "$(dirname "$dest")"
  cp -al "$tpl" "$dest" || return 1
  find "$dest" -type f ! -iregex '.*\.\(dll\|exe\|nls\|sys\|drv\|ocx\|cpl\|acm\|tlb\|ds\|com\|ax\|msstyles\|icm\)' \
    -exec sh -c 'for f; do cp -p "$f" "$f.tmp" && mv -f "$f.tmp" "$f"; done' _ {} +
}

# crep_prefix_version PREFIX VERSION: the Windows version Wine reports
# (winxp, win2k, nt40, win98, win95, win10...). Before any wineserver runs.
crep_prefix_version() {
  crep_reg_set "$1/user.reg" 'Software\\Wine' Version "\"$2\""
}

# crep_prefix_relay PREFIX "F1;F2;..." [MODULE]: +relay then traces only these
# functions, and only the calls made from MODULE (crepuscule.exe by default).
crep_prefix_relay() {
  local reg="$1/user.reg"
  crep_reg_delete "$reg" 'Software\\Wine\\Debug' RelayFromExclude
  crep_reg_set "$reg" 'Software\\Wine\\Debug' RelayInclude "\"$2\""
  crep_reg_set "$reg" 'Software\\Wine\\Debug' RelayFromInclude "\"${3:-crepuscule.exe}\""
}

# The first Wine process starts the prefix's background services, which keep
# its environment and stderr: start them quietly before the traced run.
crep_prefix_warmup() {
  WINEDEBUG=-all crep_wine "$1" cmd.exe /c exit >/dev/null 2>&1
}

# Ends every process of the prefix (only this prefix's wineserver is asked).
crep_prefix_end() {
  WINEPREFIX="$1" wineserver -k 2>/dev/null || true
  WINEPREFIX="$1" wineserver -w 2>/dev/null || true
}

# crep_layer_tests BUILD PROGRAM: the Windows layer's tests of BUILD/PROGRAM (its ctest) in a
# fresh copy of BUILD's template prefix, in crep_env's environment.
crep_layer_tests() {
  local prefix="$1/wine/win32-tests" status=0
  crep_prefix_copy "$1/wine/template" "$prefix"
  crep_prefix_warmup "$prefix"
  crep_env "$prefix" ctest --test-dir "$1/$2" --output-on-failure --timeout 300 || status=$?
  crep_prefix_end "$prefix"
  return "$status"
}
