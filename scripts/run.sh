#!/usr/bin/env bash
# Installs what is missing, builds and starts the program; with no device present it runs on
# the emulated mouse. Extra arguments go to the program.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build" -DORVANE_BUILD_TESTS=OFF -DORVANE_BUILD_BENCH=OFF
exec "$root/scripts/launch.sh" "$root/build/bin" "$@"
