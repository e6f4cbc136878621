#!/usr/bin/env bash
# Installs what is missing, builds the programs for /usr in build-deb/ (no tests, no benches) and
# makes the Debian package there with CPack. Prints the package's path.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
CMAKE_BUILD_TYPE=Release "$root/scripts/build.sh" "$root/build-deb" -DCMAKE_INSTALL_PREFIX=/usr \
  -DORVANE_BUILD_TESTS=OFF -DORVANE_BUILD_BENCH=OFF
(cd "$root/build-deb" && cpack -G DEB >/dev/null)
ls "$root"/build-deb/orvane-q730_*.deb
