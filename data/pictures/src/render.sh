#!/bin/sh
# Turns every core-family SVG in this folder into its GIF one level up
# (EE.svg -> ../EE.GIF). Needs ImageMagick and the DejaVu fonts:
#   apt-get install -y imagemagick librsvg2-bin fonts-dejavu-core
# (ImageMagick reads SVG through rsvg-convert).
# The GIFs are committed; the build only copies them.
set -eu
cd "$(dirname "$0")"

if command -v magick >/dev/null 2>&1; then
    im="magick"
elif command -v convert >/dev/null 2>&1; then
    im="convert"
else
    echo "render.sh: ImageMagick not found (apt-get install -y imagemagick librsvg2-bin fonts-dejavu-core)" >&2
    exit 1
fi

for svg in *.svg; do
    code=${svg%.svg}
    # white background, no transparency, one frame, small palette
    $im -background white "$svg" -flatten -alpha off +dither -colors 64 "../$code.GIF"
    echo "$code.GIF"
done
