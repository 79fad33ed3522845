#!/usr/bin/env bash
# Regenerates the reference pictures of ImageFileTest.cpp with ImageMagick:
# one file per format and variant, and beside each (<name>.<ext>.bgra)
# ImageMagick's own decode of its first frame as 8-bit blue, green, red and
# alpha bytes, top row first, for the test to compare the library's decode
# with. Run it in this folder; the pictures are 23 x 15 pixels (odd, so that
# BMP rows are padded). Plasma with a fixed seed gives every pixel a colour.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
size=23x15
plasma() { echo "-size $size -seed $1 plasma: -alpha off"; }
# No time stamps, so that the files come out the same every time.
nodate="-define png:exclude-chunks=date,time"

# Alpha from 0 at the left to 255 at the right.
convert $(plasma 1) \( -size 15x23 gradient:black-white -rotate -90 \) \
    -alpha off -compose CopyOpacity -composite $nodate PNG32:alpha.png
convert $(plasma 2) -colors 16 $nodate PNG8:palette.png
convert $(plasma 3) \( -size 15x23 gradient:white-gray20 -rotate 90 \) \
    -alpha off -compose CopyOpacity -composite -depth 16 $nodate PNG64:deep.png
convert $(plasma 4) -quality 90 -sampling-factor 1x1 photo.jpg
# Two frames, the first with a transparent colour (white).
convert -size $size xc:white -fill red -draw 'circle 7,7 7,2' -fill blue -draw 'rectangle 13,3 20,11' \
    -transparent white \( -size $size xc:green \) -set delay 20 -loop 0 anim.gif
# Two pages, LZW-compressed; the first is the picture.
convert $(plasma 5) \( -size $size xc:black \) -depth 8 -compress lzw pages.tif
# Version 4 header with alpha, version 5 without; 8-bit run-length compressed.
# ImageMagick writes version 5 headers only: the version 4 file is one with
# the header cut to its first 108 bytes.
convert alpha.png BMP:v4.bmp
convert $(plasma 6) -type truecolor -define bmp:format=bmp5 BMP:v5.bmp
convert $(plasma 7) -colors 12 -type palette -compress rle BMP3:rle8.bmp
convert alpha.png -resize 16x16! icon.ico
# Top-down rows: an uncompressed 24-bit file turned upside down in memory,
# biHeight negated.
convert $(plasma 8) -flip -type truecolor BMP3:topdown.bmp
python3 - <<'PY'
import struct
data = bytearray(open("topdown.bmp", "rb").read())
height, = struct.unpack_from("<i", data, 22)
struct.pack_into("<i", data, 22, -height)
open("topdown.bmp", "wb").write(data)
data = bytearray(open("v4.bmp", "rb").read())
del data[14 + 108:14 + 124]
size, offset = struct.unpack_from("<I", data, 2)[0], struct.unpack_from("<I", data, 10)[0]
struct.pack_into("<I", data, 2, size - 16)
struct.pack_into("<I", data, 10, offset - 16)
struct.pack_into("<I", data, 14, 108)
open("v4.bmp", "wb").write(data)
PY

for file in alpha.png palette.png deep.png photo.jpg anim.gif pages.tif v4.bmp v5.bmp rle8.bmp icon.ico \
            topdown.bmp; do
    convert "$file[0]" -depth 8 "bgra:$file.bgra"
done
