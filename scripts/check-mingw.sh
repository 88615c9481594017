#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Compiles every Qt-free source file and header with the MinGW-w64 cross
# compiler, as a check that they build for Windows. A file is Qt-free when
# the host compiler can resolve everything it includes, directly or not,
# without Qt's include folders; the rest needs Qt for Windows, which Debian
# does not have.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh build mingw

cross=x86_64-w64-mingw32-g++-posix
flags=(-std=c++20 -Wall -Wextra -Wpedantic -Werror -Isrc -Itools)
compiled=0 skipped=0 failed=0 names=()
while read -r file; do
  if ! g++ "${flags[@]}" -M -include "$file" -x c++ /dev/null >/dev/null 2>&1; then
    skipped=$((skipped + 1))
    continue
  fi
  case "$file" in
    *.h) unit=(-include "$file" -x c++ /dev/null) ;; # a header, as a file that includes it
    *) unit=("$file") ;;
  esac
  if "$cross" "${flags[@]}" -fsyntax-only "${unit[@]}"; then
    compiled=$((compiled + 1))
    names+=("$file")
  else
    echo "FAIL: $file does not compile with $cross"
    failed=$((failed + 1))
  fi
done < <(git ls-files 'src/*.cpp' 'src/*.h' 'tools/*.cpp' 'tools/*.h' 'fuzz/*.cpp')
echo "MinGW-w64: $compiled Qt-free files compiled (${names[*]}), $failed failed; $skipped files need Qt"
[ "$compiled" -gt 0 ] && [ "$failed" -eq 0 ]
