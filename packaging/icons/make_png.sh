#!/usr/bin/env bash
# Redraws the PNG sizes of the icon with ImageMagick, shape for shape as comunicacao-qx7.svg
# (ImageMagick's own SVG reader drops the gradient, so the shapes are drawn here directly).
set -euo pipefail
cd "$(dirname "$0")"
fonte=/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf
convert -size 256x256 gradient:'#004080-#002050' \
    -fill white -draw 'rectangle 80,30 111,51' \
    -fill '#ffc080' -stroke white -strokewidth 6 -draw 'rectangle 48,52 207,149' \
    -stroke none -fill '#c8c8c8' -draw 'rectangle 51,55 204,105' \
    -font "$fonte" -pointsize 84 -fill white -gravity south -annotate +0+16 'QX7' \
    \( -size 256x256 xc:none -fill white -draw 'roundrectangle 0,0 255,255 36,36' \) \
    -compose DstIn -composite /tmp/qx7-icone-256.png
for tamanho in 16 24 32 48 64 128 256; do
    convert /tmp/qx7-icone-256.png -resize "${tamanho}x${tamanho}" -strip \
        "PNG32:comunicacao-qx7-$tamanho.png"
done
rm -f /tmp/qx7-icone-256.png
