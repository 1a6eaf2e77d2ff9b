#!/usr/bin/env bash
# The CPU time the real program takes while it watches a busy lab server at
# one query per second, measured from outside: /proc/<pid>/stat (user +
# system time of all its threads, in clock ticks) over a window of idle time,
# then over a window of watching. Beside it, the finer per-thread figure of
# /proc/<pid>/task/*/schedstat (a thread that ends within the window is not
# in it).
#
#   bench/watch-cpu.sh BUILD_DIR [offscreen|xvfb]
#
# BUILD_DIR is a build with the GUI and the benchmarks (targets skarvell,
# utlab, skarvell_watch_starter), best RelWithDebInfo or Release.
# Environment: WINDOW (seconds per window, default 60), PORT (the lab
# server's game port, default 7777), LIVE=1 (the lab's players move: frags,
# pings and time change with every reply), PERF=1 (after the two windows,
# one more window under `perf record`; its report goes to perf-report.txt in
# the current folder).
#
# The program runs in a temporary folder with its own skarvell.ini: one
# favourite, QueryInterval=0, no news page. Watching starts from outside:
# the library skarvell_watch_starter, loaded with LD_PRELOAD, triggers
# "Query selected" when the script sends SIGUSR1.
set -euo pipefail

build=${1:?usage: $0 BUILD_DIR [offscreen|xvfb]}
platform=${2:-offscreen}
window=${WINDOW:-60}
port=${PORT:-7777}
settle=5

build=$(cd "$build" && pwd)
find_one() {
    local found
    found=$(find "$build" -name "$1" -type f -perm -u+x -print -quit 2>/dev/null)
    [[ -n "$found" ]] || found=$(find "$build" -name "$1" -type f -print -quit 2>/dev/null)
    [[ -n "$found" ]] || { echo "watch-cpu: $1 not found under $build" >&2; exit 2; }
    echo "$found"
}
skarvell=$(find_one skarvell)
utlab=$(find_one utlab)
starter=$(find_one libskarvell_watch_starter.so)

case "$platform" in
offscreen) wrap=(env QT_QPA_PLATFORM=offscreen) ;;
xvfb)
    command -v xvfb-run >/dev/null || { echo "watch-cpu: xvfb-run is not installed" >&2; exit 2; }
    wrap=(xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb)
    ;;
*) echo "watch-cpu: platform is offscreen or xvfb, not $platform" >&2; exit 2 ;;
esac

work=$(mktemp -d "${TMPDIR:-/tmp}/skarvell-watch-cpu.XXXXXX")
lab_pid=
app_pid=
wrap_pid=
cleanup() {
    [[ -n "$app_pid" ]] && kill "$app_pid" 2>/dev/null || true
    [[ -n "$wrap_pid" ]] && wait "$wrap_pid" 2>/dev/null || true
    [[ -n "$lab_pid" ]] && kill "$lab_pid" 2>/dev/null || true
    [[ -n "$lab_pid" ]] && wait "$lab_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# The lab server.
"$utlab" --server "name=Big,port=$port,players=32,spectators=4,version=469,gametype=CTFGame,longnames=1,live=${LIVE:-0}" \
    >"$work/utlab.out" 2>"$work/utlab.err" &
lab_pid=$!
for _ in $(seq 100); do
    grep -q '^ready' "$work/utlab.out" 2>/dev/null && break
    kill -0 "$lab_pid" 2>/dev/null ||
        { cat "$work/utlab.err" >&2; echo "watch-cpu: port taken? choose another with PORT" >&2; exit 1; }
    sleep 0.1
done
grep -q '^ready' "$work/utlab.out" || { echo "watch-cpu: utlab did not start" >&2; exit 1; }

printf '[Settings]\r\nQueryInterval=0\r\nDoHTTP=0\r\nFirstRun=0\r\n[Favorites]\r\nFavHost[1]=Big\r\nFavIP[1]=127.0.0.1\r\nFavPort[1]=%s\r\nFavCount=2\r\n' \
    "$port" >"$work/skarvell.ini"

# The program; its pid is written by the shell that becomes it.
(cd "$work" && exec "${wrap[@]}" sh -c 'echo $$ >"$0"; exec env LD_PRELOAD="$1" "$2"' \
    "$work/app.pid" "$starter" "$skarvell") >"$work/skarvell.out" 2>"$work/skarvell.err" &
wrap_pid=$!
for _ in $(seq 100); do
    [[ -s "$work/app.pid" ]] && grep -q 'watch-starter: ready' "$work/skarvell.err" && break
    sleep 0.1
done
app_pid=$(cat "$work/app.pid" 2>/dev/null || true)
[[ -n "$app_pid" ]] && grep -q 'watch-starter: ready' "$work/skarvell.err" ||
    { echo "watch-cpu: the program did not start" >&2; cat "$work/skarvell.err" >&2; exit 1; }

hz=$(getconf CLK_TCK)
# user + system clock ticks of a process, all its threads.
ticks() { sed 's/^.*) //' "/proc/$1/stat" | awk '{ print $12 + $13 }'; }
# "TID NANOSECONDS" per live thread, from the scheduler where the kernel
# keeps it: finer than the ticks, but a thread that ends takes its time along.
thread_nanos() {
    local task
    for task in /proc/"$1"/task/*; do
        [[ -r "$task/schedstat" ]] && echo "${task##*/} $(cut -d' ' -f1 "$task/schedstat")"
    done 2>/dev/null || true
}
# The time the threads alive at the end took since the first listing.
nanos_since() {
    awk 'NR == FNR { before[$1] = $2; next } { s += $2 - ($1 in before ? before[$1] : 0) }
         END { printf "%.0f\n", s }' "$1" <(thread_nanos "$2")
}
percent() { awk -v d="$1" -v hz="$hz" -v w="$2" 'BEGIN { printf "%.3f", d / hz / w * 100 }'; }
percent_ns() { awk -v d="$1" -v w="$2" 'BEGIN { printf "%.3f", d / 1e9 / w * 100 }'; }

# measure PID SECONDS: "<percent from stat> <percent from schedstat>"
measure() {
    local t0 t1 s0 s1 took nanos
    thread_nanos "$1" >"$work/threads"
    t0=$(ticks "$1"); s0=$(date +%s.%N)
    sleep "$2"
    t1=$(ticks "$1"); s1=$(date +%s.%N)
    nanos=$(nanos_since "$work/threads" "$1")
    took=$(awk -v a="$s0" -v b="$s1" 'BEGIN { print b - a }')
    echo "$(percent $((t1 - t0)) "$took") $(percent_ns "$nanos" "$took")"
}

sleep "$settle" # start-up and first paint
read -r idle idle_ns < <(measure "$app_pid" "$window")

kill -USR1 "$app_pid"
sleep "$settle"
grep -q 'watch-starter: watching started' "$work/skarvell.err" ||
    { echo "watch-cpu: watching did not start" >&2; cat "$work/skarvell.err" >&2; exit 1; }
lab_t0=$(ticks "$lab_pid")
read -r watching watching_ns < <(measure "$app_pid" "$window")
lab_t1=$(ticks "$lab_pid")

if [[ "${PERF:-0}" == 1 ]]; then
    perf record -F 4999 -g -p "$app_pid" -o "$work/perf.data" -- sleep "$window" >/dev/null 2>&1
    {
        echo "# By library"
        perf report -i "$work/perf.data" --stdio --no-children -g none --sort dso 2>/dev/null
        echo "# By function, with callers"
        perf report -i "$work/perf.data" --stdio --no-children --percent-limit 0.5 2>/dev/null
    } >perf-report.txt
    echo "perf report: $(pwd)/perf-report.txt"
fi

kill "$app_pid"
wait "$wrap_pid" 2>/dev/null || true
app_pid=
quit=$(grep 'watch-starter: at quit' "$work/skarvell.err" || echo "(no report at quit)")

echo "platform:  $platform, window ${window} s, CLK_TCK $hz"
echo "idle:      ${idle} % of one core (threads by schedstat ${idle_ns} %)"
echo "watching:  ${watching} % of one core (threads by schedstat ${watching_ns} %)"
echo "utlab:     $(percent $((lab_t1 - lab_t0)) "$window") % of one core while answering"
echo "${quit#watch-starter: }"
