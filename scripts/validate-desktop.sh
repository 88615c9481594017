#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Validates a desktop entry with desktop-file-validate; prints what it finds
# and exits 1 on any error or warning. desktop-file-validate before 0.27
# (Debian 12's) knows desktop entry format versions up to 1.4 and calls
# Version=1.5 unknown: that one message is shown as a note, not counted.
#   scripts/validate-desktop.sh FILE.desktop
set -uo pipefail
old_version='value "1.5" for key "Version" in group "Desktop Entry" is not a known version'
out=$(desktop-file-validate "$1" 2>&1)
rest=$(grep -vF "$old_version" <<<"$out")
grep -qF "$old_version" <<<"$out" && echo "note: this desktop-file-validate does not know desktop entry format 1.5 yet"
[ -z "$rest" ] || { printf '%s\n' "$rest"; exit 1; }
