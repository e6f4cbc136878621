#!/usr/bin/env bash
# Installs the Debian packages the project builds, tests and runs with.
# Idempotent: quiet and quick when everything is present.
#   scripts/setup.sh          what the build and the test suite need
#   scripts/setup.sh --fuzz   also clang with its libFuzzer runtime, for scripts/test.sh --fuzz
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libjsoncpp-dev
  libglib2.0-dev gsettings-desktop-schemas
  qt6-base-dev qt6-tools-dev qt6-svg-dev qt6-qpa-plugins qt6-l10n-tools libqt6opengl6-dev
  libqt6svg6 libqt6uitools6 libqt6dbus6
  libcurl4-openssl-dev libssl-dev
  libudev-dev
  libasound2-dev
  libxi-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-noto-core fonts-noto-cjk
  appstream desktop-file-utils
)
if [ "${1:-}" = "--fuzz" ]; then
  packages+=(clang libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exec "$(dirname "$0")/fonts.sh"
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
exec "$(dirname "$0")/fonts.sh"
