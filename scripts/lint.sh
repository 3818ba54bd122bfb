#!/usr/bin/env bash
# Static checks the tree keeps clean: clang-format (.clang-format) on every C++
# file, and cppcheck's warning, performance and portability checks on the code.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

mapfile -t files < <(git ls-files '*.cpp' '*.h')
if ! clang-format --dry-run --Werror "${files[@]}" 2>/tmp/crep-format.$$; then
  grep -m 20 'warning' /tmp/crep-format.$$ >&2 || true
  rm -f /tmp/crep-format.$$
  echo "lint: clang-format would change the files above (run clang-format -i on them)" >&2
  exit 1
fi
rm -f /tmp/crep-format.$$

# The tests are left out: cppcheck does not understand GoogleTest's macros.
cppcheck --enable=warning,performance,portability --std=c++20 --inline-suppr --quiet \
  --error-exitcode=1 --suppress=missingIncludeSystem -I src src
echo "lint: clean"
