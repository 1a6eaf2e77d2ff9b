#!/usr/bin/env bash
# Installs what is needed, builds Skarvell and starts it with the built-in lab:
# emulated game servers on 127.0.0.1, listed as favourites in a demo folder of
# its own (demo/), so your own skarvell.ini is never touched. Closing Skarvell
# stops the lab.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${SKARVELL_BUILD_DIR:-$root/build}"
demo="${SKARVELL_DEMO_DIR:-$root/demo}"

"$root/scripts/install-deps.sh"
SKARVELL_BUILD_DIR="$build" "$root/scripts/build.sh"

mkdir -p "$demo"
if [ ! -f "$demo/skarvell.ini" ]; then
    cp "$root/lab/demo-skarvell.ini" "$demo/skarvell.ini"
fi

log="$demo/utlab.log"
"$build/lab/utlab" --config "$root/lab/demo.ini" >"$log" 2>&1 &
lab_pid=$!
trap 'kill "$lab_pid" 2>/dev/null || true; wait "$lab_pid" 2>/dev/null || true' EXIT
for _ in $(seq 1 100); do
    grep -qx ready "$log" && break
    if ! kill -0 "$lab_pid" 2>/dev/null; then
        echo "The lab did not start:" >&2
        cat "$log" >&2
        exit 1
    fi
    sleep 0.1
done
grep '^server' "$log" || true

cd "$demo"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "No display found: starting Skarvell on a virtual X display (xvfb-run)."
    xvfb-run -a -s "-screen 0 1280x800x24" "$build/src/skarvell"
else
    "$build/src/skarvell"
fi
