#!/usr/bin/env bash
# Fills Font/ (beside skin/ and DefaultData/) with the four fonts the program loads at start,
# taken from the Debian Noto packages under the file names the program looks for. A font whose
# package file is not installed is left out; the program then runs without it.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
font_dir="$root/Font"

# Program file name, then the packaged font that stands in for it. The CJK collection holds the
# Simplified and the Traditional Chinese faces alike.
fonts=(
  "Simplified_Chinese.ttf:/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc"
  "Corvinel-Regular.otf:/usr/share/fonts/truetype/noto/NotoSans-Regular.ttf"
  "NotoSansThai-Regular.ttf:/usr/share/fonts/truetype/noto/NotoSansThai-Regular.ttf"
  "NotoSansCJKtc-Regular.otf:/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc"
)

mkdir -p "$font_dir"
for entry in "${fonts[@]}"; do
  name="${entry%%:*}"
  source="${entry#*:}"
  [ -f "$source" ] || continue
  # cmp keeps an unchanged font's time stamp, so the build does not copy it again.
  if ! cmp -s "$source" "$font_dir/$name"; then
    install -m 0644 "$source" "$font_dir/$name"
  fi
done
