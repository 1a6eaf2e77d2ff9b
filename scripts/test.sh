#!/usr/bin/env bash
# Installs what is needed, builds everything with warnings as errors and runs
# every test; then builds the core and its unit tests once more under
# AddressSanitizer and UndefinedBehaviorSanitizer and runs them.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

"$root/scripts/install-deps.sh"

echo "== build (warnings are errors)"
SKARVELL_BUILD_DIR="$root/build-ci" "$root/scripts/build.sh" -DSKARVELL_WERROR=ON
echo "== tests"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$root/build-ci" --output-on-failure -j 2 --timeout 300

echo "== core and unit tests under AddressSanitizer and UndefinedBehaviorSanitizer"
SKARVELL_BUILD_DIR="$root/build-asan" "$root/scripts/build.sh" \
    -DSKARVELL_WERROR=ON -DSKARVELL_GUI=OFF -DSKARVELL_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir "$root/build-asan" --output-on-failure -j 2 --timeout 300 -L 'unit|lab'
