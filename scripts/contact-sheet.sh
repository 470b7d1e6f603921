#!/usr/bin/env bash
# Writes a contact sheet of the eight generated pictures as one PNG, each tile labelled with its
# file name; masked pictures are also shown composited over a checkerboard.
# Usage: scripts/contact-sheet.sh [build folder, default build] [output, default out/contact-sheet.png]
set -euo pipefail

build="${1:-build}"
out="${2:-out/contact-sheet.png}"
data="$build/Data"
command -v montage >/dev/null || { echo "needs ImageMagick (montage)" >&2; exit 1; }
[ -f "$build/pictures.txt" ] || { echo "no pictures in $data: build the 'pictures' target first" >&2; exit 1; }
mapfile -t names <"$build/pictures.txt"

mkdir -p "$(dirname "$out")"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

# Each tile 512 x 512, small pictures enlarged without smoothing so their pixels stay visible.
tile() { convert "$1" -filter point -resize 512x512 -background '#202020' -gravity center -extent 512x512 "$2"; }
# A colour picture with its mask as alpha, over a grey checkerboard.
masked() {
  convert -size 512x512 pattern:checkerboard -fill '#00000080' -colorize 60% \
    \( "$1" "$2" -alpha off -compose CopyOpacity -composite \) -compose over -composite "$3"
}

args=()
i=0
for n in "${names[@]}"; do
  tile "$data/$n" "$tmp/$i.png"
  args+=(-label "$n" "$tmp/$i.png")
  i=$((i + 1))
done
# In the list's order: star, background, logo, its mask, font, darker font, their mask, desktop.
masked "$data/${names[2]}" "$data/${names[3]}" "$tmp/logo.png"
masked "$data/${names[4]}" "$data/${names[6]}" "$tmp/font.png"
masked "$data/${names[5]}" "$data/${names[6]}" "$tmp/darker.png"
args+=(-label "logo with its mask" "$tmp/logo.png" -label "font2 with its mask" "$tmp/font.png"
       -label "font2darker with the mask" "$tmp/darker.png")

montage "${args[@]}" -tile 4x -geometry 512x512+6+6 -background '#101010' -fill white \
  -font /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf -pointsize 18 "$out"
echo "$out"
