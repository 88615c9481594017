#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs each test function of a QtTest program in a process of its own, so
# that none passes only because of what a function before it left behind.
#   run_alone.sh PROGRAM [FUNCTION...]
# Without FUNCTIONs, every function that PROGRAM -functions lists. The
# environment is the caller's (CTest sets the one of the program's own test).
# Prints the output of each function that fails; exits 1 if any does.
set -uo pipefail

program=$1
shift
if (($#)); then
  functions=("$@")
else
  if ! listing=$("$program" -functions); then
    echo "$program -functions failed" >&2
    exit 1
  fi
  functions=()
  while IFS= read -r function; do
    functions+=("$function")
  done < <(printf '%s\n' "$listing" | sed -n 's/^\([A-Za-z_][A-Za-z0-9_]*\)()$/\1/p')
fi
if ((${#functions[@]} == 0)); then
  echo "$program lists no test function" >&2
  exit 1
fi

passed=0
failed=""
for function in "${functions[@]}"; do
  if output=$("$program" "$function" 2>&1); then
    passed=$((passed + 1))
  else
    failed="$failed $function"
    printf '%s\n' "$output"
  fi
done
count=$(($(printf "%s" "$failed" | wc -w)))
echo "$(basename "$program"), each function alone: $passed passed, $count failed${failed:+:$failed}"
[[ -z $failed ]]
