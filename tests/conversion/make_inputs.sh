#!/usr/bin/env bash
# Pictures for the conversion tests, made with the native image tools:
# one per reader the converter relies on, plus a few awkward ones.
#   make_inputs.sh DIR
set -euo pipefail
dir=$1
rm -rf "$dir"
mkdir -p "$dir"
cd "$dir"
convert -size 120x90 -seed 7 plasma:tomato-steelblue -quality 90 photo.jpg
convert photo.jpg BMP3:photo.bmp
convert photo.jpg -compress lzw photo.tif
convert photo.jpg photo.tga
convert photo.jpg photo.pcx
convert photo.jpg photo.psd
convert -size 64x64 xc:none -fill '#2060C0' -draw 'circle 32,32 32,6' -fill white -draw 'rectangle 26,26 38,38' alpha.png
convert -size 40x30 xc:white -fill red -draw 'rectangle 5,5 20,20' -fill blue -draw 'rectangle 22,8 35,25' few.gif
convert -size 100x50 gradient:gold-darkgreen wide.png
convert -size 100x47 gradient:gold-darkgreen odd.png
# Transparency: hidden pixels of a loud red, a GIF's transparent index, a
# TGA's alpha, an alpha ramp (255 at the top row to 0 at the bottom one), and
# a wide picture kept in proportion.
convert -size 64x64 xc:'rgba(255,0,0,0)' -fill '#2060C0' -draw 'circle 32,32 32,6' hidden_red.png
convert -size 48x48 xc:none -fill '#2060C0' -draw 'circle 24,24 24,4' transparent.gif
convert alpha.png alpha.tga
convert -size 64x64 xc:'#2060C0' \( -size 64x64 gradient:white-black \) -alpha off -compose CopyOpacity -composite ramp.png
convert -size 80x40 xc:none -fill '#2060C0' -draw 'circle 40,20 40,4' wide_alpha.png
convert -size 60x40 xc:white -fill '#C02020' -draw 'circle 30,20 30,6' -quality 95 logo.jpg
cp alpha.png UPPER.PNG
printf 'this is not a picture\n' > broken.png
# Odd sizes: one pixel, and a strip far wider than high.
convert -size 1x1 xc:'#3080C0' tiny.png
convert -size 3000x20 gradient:gold-darkgreen -quality 90 strip.jpg
# A 42-megapixel camera-sized photo (8000 x 5300), smooth like a photo
# scaled from a small plasma so it is made in a few seconds.
convert -size 1000x663 -seed 11 plasma:tomato-steelblue -resize '8000x5300!' -quality 90 camera42mp.jpg
# Decompression bombs: a few bytes declaring 100000 x 100000 (a PGM header,
# a PNG header) and a PNG of 16000 x 16000 whose pixel data is a stub.
printf 'P5\n100000 100000\n255\n' > bomb.pgm
head -c 512 /dev/zero >> bomb.pgm
python3 - <<'PY'
import struct, zlib
def chunk(kind, data):
    return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data) & 0xffffffff)
for name, side in (('bomb.png', 100000), ('bomb16k.png', 16000)):
    header = struct.pack('>IIBBBBB', side, side, 8, 2, 0, 0, 0)
    with open(name, 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) + chunk(b'IDAT', zlib.compress(b'\0' * 4096))
                + chunk(b'IEND', b''))
PY
printf 'not an MPEG clip either\n' > clip.MPG
ls > manifest.txt
