#!/usr/bin/env bash
# Starts the program from BIN_DIR, on the emulated mouse when no supported device is attached.
# Extra arguments go to the program.
set -euo pipefail
bin="$1"
shift
simulate=()
if [ -z "${ORVANE_SIMULATE:-}" ] && ! "$bin/orvanectl" list --quiet-if-none >/dev/null 2>&1; then
  simulate=(--simulate mouse)
fi
exec "$bin/orvane-q730" "${simulate[@]}" "$@"
