#!/usr/bin/env bash
# CPU use and resident memory of orvane-q730 with one emulated mouse connected in a static light
# effect, on the offscreen platform: first with its window shown, then with it hidden.
#
#   bench/cpu_usage.sh [path/to/orvane-q730]      (default: build/bin/orvane-q730)
#   MEASURE_SECONDS=10 SETTLE_SECONDS=3           (environment, optional)
#
# CPU is the process's user + system time over the interval (all threads), in percent of one core.
# The offscreen platform has no notification area, so nothing the program offers can hide its
# window from outside; the script hides it the way the tray toggle does (QWidget::hide on the
# active window), through gdb. Without gdb only the shown figure is reported.
set -euo pipefail

program=$(realpath "${1:-build/bin/orvane-q730}")
measure=${MEASURE_SECONDS:-10}
settle=${SETTLE_SECONDS:-3}
[ -x "$program" ] || { echo "cpu_usage: no program at $program" >&2; exit 2; }
defaults="$(dirname "$program")/DefaultData/mouse.Json"
[ -f "$defaults" ] || { echo "cpu_usage: no $defaults beside the program" >&2; exit 2; }

work=$(mktemp -d)
pid=""
cleanup() {
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
        kill "$pid"
        wait "$pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

# A profile list of one profile: the shipped default profile with light mode 4, steady red.
folder="$work/home/.local/share/ORVANE Q730 Gaming Mouse/mouse"
mkdir -p "$folder" "$work/sim"
python3 - "$defaults" "$folder" <<'EOF'
import json, sys
defaults, folder = sys.argv[1], sys.argv[2]
with open(defaults, encoding="utf-8") as f:
    profile = json.load(f)
profile["Device"][0]["LightInfo"]["SelectItem"] = 4
with open(folder + "/bench.Json", "w", encoding="utf-8") as f:
    json.dump(profile, f)
with open(folder + "/ProfileList.ini", "w", encoding="utf-8") as f:
    json.dump({"profilelist": [{"profilename": "Bench", "profileUUID": "bench"}], "profileselect": 0}, f)
EOF

HOME="$work/home" ORVANE_SIM_STATE="$work/sim" QT_QPA_PLATFORM=offscreen GSETTINGS_BACKEND=memory \
    XDG_RUNTIME_DIR="$work" "$program" --simulate mouse >"$work/program.log" 2>&1 &
pid=$!
sleep "$settle"
kill -0 "$pid" 2>/dev/null || { echo "cpu_usage: the program ended early:" >&2; cat "$work/program.log" >&2; exit 1; }

ticks=$(getconf CLK_TCK)
cpu_ticks() { awk '{ sub(/^.*\) /, ""); print $12 + $13 }' "/proc/$pid/stat"; }
rss_mib() { awk '/^VmRSS:/ { printf "%.1f", $2 / 1024 }' "/proc/$pid/status"; }

# CPU percent of one core over `measure` seconds of wall time.
measure_cpu() {
    local start_ticks start_ns end_ticks end_ns
    start_ticks=$(cpu_ticks)
    start_ns=$(date +%s%N)
    sleep "$measure"
    end_ticks=$(cpu_ticks)
    end_ns=$(date +%s%N)
    awk -v t="$((end_ticks - start_ticks))" -v hz="$ticks" -v ns="$((end_ns - start_ns))" \
        'BEGIN { printf "%.1f", 100 * (t / hz) / (ns / 1e9) }'
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

echo "orvane-q730, one emulated mouse, static light effect, offscreen platform, ${measure} s each"
shown=$(measure_cpu)
printf 'window shown:   CPU %5s %% of one core   RSS %6s MiB\n' "$shown" "$(rss_mib)"
if hide_window; then
    sleep 1
    hidden=$(measure_cpu)
    printf 'window hidden:  CPU %5s %% of one core   RSS %6s MiB\n' "$hidden" "$(rss_mib)"
else
    echo "window hidden:  not measured: gdb could not hide the window" >&2
    cat "$work/gdb.log" >&2
fi
awk '/^VmHWM:/ { printf "peak RSS:       %.1f MiB\n", $2 / 1024 }' "/proc/$pid/status"
