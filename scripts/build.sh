#!/usr/bin/env bash
# Configures and builds Skarvell in build/ (extra CMake options may follow).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${SKARVELL_BUILD_DIR:-$root/build}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$build" -j "$(nproc)"
