#!/bin/sh
# Checks the desktop entry with desktop-file-validate (package
# desktop-file-utils, installed by scripts/install-deps.sh).
set -u
if [ $# -ne 1 ]; then
    echo "usage: $0 <file.desktop>" >&2
    exit 2
fi
if ! command -v desktop-file-validate >/dev/null 2>&1; then
    echo "desktop-file-validate is missing: install desktop-file-utils" \
         "(scripts/install-deps.sh does)" >&2
    exit 1
fi
output=$(desktop-file-validate "$1" 2>&1)
status=$?
# Hints are advice (two main categories, for one); errors and warnings fail.
if [ $status -ne 0 ] || printf '%s\n' "$output" | grep -Eq '(error|warning):'; then
    echo "$1 is not a valid desktop entry:" >&2
    echo "$output" >&2
    exit 1
fi
[ -n "$output" ] && echo "$output"
echo "$1: valid"
