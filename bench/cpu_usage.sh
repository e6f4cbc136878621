#!/usr/bin/env bash
# CPU use, wake-ups and resident memory of orvane-q730 with one emulated mouse connected, on the
# offscreen platform. Two runs of the program: one with an animated light effect (mode 0, wave),
# one with a static one (mode 4, steady red); each is measured with its window shown, then hidden.
#
#   bench/cpu_usage.sh [path/to/orvane-q730]      (default: build/bin/orvane-q730)
#   MEASURE_SECONDS=10 SETTLE_SECONDS=3           (environment, optional)
#
# CPU is the CPU time of all the process's threads over the interval (from their schedstat, in
# nanoseconds), in percent of one core; wake-ups are the threads' context switches per second.
# The offscreen platform has no notification area, so nothing the program offers can hide its
# window from outside; the script hides it the way the tray toggle does (QWidget::hide on the
# active window), through gdb. Without gdb the hidden figures are not reported. The machine's
# load average is printed too: figures taken under load are not comparable.
set -euo pipefail

program=$(realpath "${1:-build/bin/orvane-q730}")
measure=${MEASURE_SECONDS:-10}
settle=${SETTLE_SECONDS:-3}
[ -x "$program" ] || { echo "cpu_usage: no program at $program" >&2; exit 2; }
defaults="$(dirname "$program")/DefaultData/mouse.Json"
[ -f "$defaults" ] || { echo "cpu_usage: no $defaults beside the program" >&2; exit 2; }

work=$(mktemp -d)
pid=""
stop_program() {
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
        kill "$pid"
        wait "$pid" 2>/dev/null || true
    fi
    pid=""
}
cleanup() {
    stop_program
    rm -rf "$work"
}
trap cleanup EXIT

# A fresh home with a profile list of one profile: the shipped default profile in light mode $1.
make_home() {
    local home="$work/home-$1"
    local folder="$home/.local/share/ORVANE Q730 Gaming Mouse/mouse"
    mkdir -p "$folder" "$home/sim"
    python3 - "$defaults" "$folder" "$1" <<'PY'
import json, sys
defaults, folder, mode = sys.argv[1], sys.argv[2], int(sys.argv[3])
with open(defaults, encoding="utf-8") as f:
    profile = json.load(f)
profile["Device"][0]["LightInfo"]["SelectItem"] = mode
with open(folder + "/bench.Json", "w", encoding="utf-8") as f:
    json.dump(profile, f)
with open(folder + "/ProfileList.ini", "w", encoding="utf-8") as f:
    json.dump({"profilelist": [{"profilename": "Bench", "profileUUID": "bench"}], "profileselect": 0}, f)
PY
    echo "$home"
}

start_program() {
    local home
    home=$(make_home "$1")
    HOME="$home" ORVANE_SIM_STATE="$home/sim" QT_QPA_PLATFORM=offscreen GSETTINGS_BACKEND=memory \
        XDG_RUNTIME_DIR="$home" "$program" --simulate mouse >"$work/program.log" 2>&1 &
    pid=$!
    sleep "$settle"
    kill -0 "$pid" 2>/dev/null || { echo "cpu_usage: the program ended early:" >&2; cat "$work/program.log" >&2; exit 1; }
}

# One line per thread: "thread-id CPU-nanoseconds context-switches".
thread_counters() {
    local task run count
    for task in /proc/"$pid"/task/*; do
        read -r run _ _ <"$task/schedstat" 2>/dev/null || continue
        count=$(awk '/ctxt_switches/ { n += $2 } END { print n + 0 }' "$task/status" 2>/dev/null) || continue
        echo "${task##*/} $run $count"
    done
}
rss_mib() { awk '/^VmRSS:/ { printf "%.1f", $2 / 1024 }' "/proc/$pid/status"; }
peak_rss_mib() { awk '/^VmHWM:/ { printf "%.1f", $2 / 1024 }' "/proc/$pid/status"; }

# "CPU % of one core, wake-ups per second" over `measure` seconds of wall time. A thread that
# starts during the interval counts from zero; one that ends is left out of the wake-ups.
measure_cpu() {
    local start_ns end_ns
    thread_counters >"$work/start"
    start_ns=$(date +%s%N)
    sleep "$measure"
    thread_counters >"$work/end"
    end_ns=$(date +%s%N)
    awk -v wall="$((end_ns - start_ns))" '
        NR == FNR { ns[$1] = $2; switches[$1] = $3; next }
        { cpu += $2 - ns[$1]; wakes += $3 - switches[$1] }
        END { printf "CPU %5.2f %% of one core   %6.1f wake-ups/s", 100 * cpu / wall, wakes / (wall / 1e9) }
    ' "$work/start" "$work/end"
}

active_window() {
    gdb -p "$pid" -batch -ex 'set language c++' -ex 'thread 1' \
        -ex 'print ((void*(*)())_ZN12QApplication12activeWindowEv)()' 2>>"$work/gdb.log" |
        sed -n 's/^\$1 = (void \*) //p'
}

# True once the main window is hidden (no window is active any more).
hide_window() {
    command -v gdb >/dev/null || return 1
    local window
    window=$(active_window)
    [ -n "$window" ] && [ "$window" != "0x0" ] || return 1
    gdb -p "$pid" -batch -ex 'set language c++' -ex 'thread 1' \
        -ex "call ((void(*)(void*, bool))_ZN7QWidget10setVisibleEb)((void*)$window, 0)" >>"$work/gdb.log" 2>&1
    [ "$(active_window)" = "0x0" ]
}

# One run: the window shown, then hidden, with light mode $1 described as $2.
measure_run() {
    start_program "$1"
    printf 'window shown,  %-24s %s\n' "$2:" "$(measure_cpu)"
    rss="$(rss_mib)"
    if hide_window; then
        sleep 1
        printf 'window hidden, %-24s %s\n' "$2:" "$(measure_cpu)"
    else
        echo "window hidden, $2: not measured: gdb could not hide the window" >&2
        cat "$work/gdb.log" >&2
    fi
    printf 'resident memory (%s): %s MiB, peak %s MiB\n' "$2" "$rss" "$(peak_rss_mib)"
    stop_program
}

echo "orvane-q730, one emulated mouse, offscreen platform, ${measure} s per figure"
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
measure_run 4 "static light (mode 4)"
measure_run 0 "animated light (mode 0)"
echo "load average after:  $(cut -d' ' -f1-3 /proc/loadavg)"
