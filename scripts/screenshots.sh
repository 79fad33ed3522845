#!/usr/bin/env bash
# Renders the README's pictures from the real library: builds the demo, runs
# "TqDemo.exe /shots" on a private X server, which saves the player bar, the
# buttons in each state and the whole window (also showing a picture) as BMP
# files, and turns them into the PNG files of docs/images. The pictures are
# regenerated, never edited.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
configure

cmake --build "$build" -j"$(nproc)" --target TqDemo
"$root/scripts/wine-prefix.sh" "$build/tq-wine"

shots="$build/shots"
rm -rf "$shots"
mkdir -p "$shots"
# The picture the demo opens for demo-image.png, a PNG with transparent
# corners, was made with
#   convert -size 112x52 -seed 4 plasma: -alpha off -blur 0x1 -depth 8 \( -size 112x52 xc:black -fill white \
#       -draw "roundrectangle 0,0 111,51 14,14" \) -alpha off -compose CopyOpacity -composite \
#       -define png:exclude-chunks=date,time examples/demo/sample.png
(cd "$shots" &&
    with_display "$build/tq-wine" "$build/bin/TqDemo.exe" /shots "Z:$root/examples/demo/sample.png")

images="$root/docs/images"
mkdir -p "$images"
# Without time stamps or other metadata, so that an unchanged picture gives an
# unchanged file.
png() {
    local target=$1
    shift
    convert "$@" -strip -define png:exclude-chunks=date,time "$images/$target"
}

cd "$shots"
png player-playing.png player-playing.bmp
png player-paused.png player-paused.bmp
png demo.png demo-window.bmp
png demo-image.png demo-image.bmp
# Each state of the gradient button beside the owner-drawn one, enlarged
# without smoothing.
for state in normal pressed disabled focused; do
    png "buttons-$state.png" "button-$state.bmp" "bmpbutton-$state.bmp" \
        -background white -splice 4x0 +append -chop 4x0 -scale 300%
done
echo "screenshots: $(ls "$images" | wc -l) pictures in $images"
