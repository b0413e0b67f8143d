#!/bin/sh
# Draws every picture Velotune shows (program icon, banner, sidebar glyphs,
# link pictures, the maker's logo) with ImageMagick, writes them to
# assets/pictures/ and assets/velotune.ico, and embeds them in the form
# descriptions under assets/forms/. Run it from anywhere; it is
# deterministic, so re-running it reproduces the committed files.
#
# Palette:
#   blue   #1E6FB8  primary (icon body, buttons)
#   navy   #14324F  dark strokes and text
#   green  #2EAD5B  accent (the tuning knob, "green" tweaks)
#   sky    #DCEBF7  light fills (banner)
#   amber  #F2A93B  donation pictures
#   face   #F0F0F0  the button face the glyphs are flattened onto
# Bitmaps that must look transparent (glyphs, logo, the banner icon) use
# magenta #FF00FF for every uncovered pixel, bottom-left pixel included,
# because the window's image and glyph drawing keys transparency on it.
set -eu

here=$(cd "$(dirname "$0")/.." && pwd)
out="$here/assets/pictures"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$out"

BLUE='#1E6FB8'
NAVY='#14324F'
GREEN='#2EAD5B'
SKY='#DCEBF7'
AMBER='#F2A93B'
FACE='#F0F0F0'
FONT=DejaVu-Sans-Bold

# Common output options: no timestamps or profiles, so outputs are stable.
STRIP="-strip -define png:exclude-chunks=date,time"

# A drawing with an alpha channel becomes a 24-bit BMP whose uncovered pixels
# are magenta: pixels at least half covered are flattened onto $2, the rest
# become the key colour.
keyed_bmp() {  # src.png background out.bmp
  convert "$1" -background "$2" -alpha remove -alpha off "$tmp/flat.png"
  convert "$1" -alpha extract -threshold 50% -negate "$tmp/holes.png"
  convert "$tmp/flat.png" \( -size "$(identify -format %wx%h "$1")" xc:'#FF00FF' \) \
    "$tmp/holes.png" -composite -type TrueColor $STRIP BMP3:"$3"
}

# --- Program icon: a rounded blue tile with a white "V" and a green knob. ---
icon_master() {  # size out.png
  s=$1
  convert -size 192x192 xc:none \
    -fill "$BLUE" -draw "roundrectangle 8,8 183,183 40,40" \
    -fill none -stroke white -strokewidth 22 -draw "polyline 46,50 96,148 146,50" \
    -stroke none -fill "$GREEN" -draw "circle 146,50 146,72" \
    -fill white -draw "circle 146,50 146,58" \
    -filter Lanczos -resize "${s}x${s}" $STRIP "$2"
}
for s in 16 32 48; do icon_master "$s" "$tmp/icon$s.png"; done
convert "$tmp/icon16.png" "$tmp/icon32.png" "$tmp/icon48.png" "$here/assets/velotune.ico"
# The banner's 32x32 icon, keyed onto the banner's left-hand colour.
keyed_bmp "$tmp/icon32.png" '#F7FAFD' "$out/icon32.bmp"

# --- Banner (797x49): a light sky gradient with soft speed lines and a blue
# rule along the bottom edge. Text is drawn over it by the window. ---
convert -size 49x797 gradient:'#FFFFFF'-"$SKY" -rotate -90 \
  -stroke '#C4DDF1' -strokewidth 6 \
  -draw "line 430,60 520,-10" -draw "line 470,60 560,-10" -draw "line 510,60 600,-10" \
  -stroke '#B5D4EE' -strokewidth 3 -draw "line 545,60 635,-10" \
  -stroke none -fill "$BLUE" -draw "rectangle 0,46 796,48" \
  -fill "$GREEN" -draw "rectangle 0,45 796,45" \
  -quality 92 -sampling-factor 1x1 $STRIP "$out/banner.jpg"

# --- Sidebar glyphs (32x32 bitmaps). TWEAK: three sliders; FIX: a wrench. ---
convert -size 128x128 xc:none -stroke "$NAVY" -strokewidth 8 \
  -draw "line 16,32 112,32" -draw "line 16,64 112,64" -draw "line 16,96 112,96" \
  -stroke none -fill "$BLUE" -draw "circle 44,32 44,48" -draw "circle 84,96 84,112" \
  -fill "$GREEN" -draw "circle 92,64 92,80" \
  -filter Lanczos -resize 32x32 "$tmp/tweak.png"
keyed_bmp "$tmp/tweak.png" "$FACE" "$out/glyph_tweak.bmp"

convert -size 128x128 xc:none \
  -stroke "$NAVY" -strokewidth 22 -draw "line 26,102 74,54" \
  -stroke none -fill "$NAVY" -draw "circle 84,44 84,76" \
  \( -size 128x128 xc:none -fill white -draw "polygon 82,46 98,6 126,34" \) \
  -compose DstOut -composite -compose Over \
  -fill "$GREEN" -draw "circle 30,98 30,104" \
  -filter Lanczos -resize 32x32 "$tmp/fix.png"
keyed_bmp "$tmp/fix.png" "$FACE" "$out/glyph_fix.bmp"

# --- Link pictures (JPEG): flat buttons with a one-pixel darker edge. ---
link_button() {  # width height fill edge text pointsize out.jpg
  convert -size "$1x$2" xc:"$3" -fill none -stroke "$4" \
    -draw "rectangle 0,0 $(($1 - 1)),$(($2 - 1))" -stroke none \
    -fill white -font "$FONT" -pointsize "$6" -gravity center -annotate +0+0 "$5" \
    -quality 95 -sampling-factor 1x1 $STRIP "$7"
}
link_button 55 23 "$BLUE" "$NAVY" "Follow" 10 "$out/follow.jpg"
link_button 57 18 "$NAVY" '#0B1D2E' "Share" 9 "$out/share.jpg"
link_button 57 20 "$GREEN" '#1F7A3F' "Post" 10 "$out/post.jpg"

# Bitcoin donation pictures: an amber coin beside the words.
bitcoin() {  # width height out.jpg
  w=$1 h=$2 r=$(($2 * 3 / 8)) cx=$(($2 / 2 + 2)) cy=$(($2 / 2))
  convert -size "${w}x${h}" xc:white -fill none -stroke "$AMBER" \
    -draw "rectangle 0,0 $((w - 1)),$((h - 1))" -stroke none \
    -fill "$AMBER" -draw "circle $cx,$cy $((cx + r)),$cy" \
    -fill white -font "$FONT" -pointsize $((h * 11 / 20)) -gravity west \
    -annotate "+$((cx - r / 2 - 1))+0" "B" \
    -fill "$NAVY" -pointsize $((h * 3 / 10)) -annotate "+$((cx + r + 5))-$((h / 7))" "Donate" \
    -fill "$AMBER" -pointsize $((h * 9 / 40)) -annotate "+$((cx + r + 5))+$((h / 5))" "Bitcoin" \
    -quality 95 -sampling-factor 1x1 $STRIP "$3"
}
bitcoin 102 40 "$out/bitcoin_large.jpg"
bitcoin 80 31 "$out/bitcoin.jpg"

# --- The maker's logo (98x96 bitmap): a ring crossed by an orbit. ---
convert -size 392x384 xc:none \
  -fill none -stroke "$BLUE" -strokewidth 44 -draw "circle 196,192 196,72" \
  -stroke "$GREEN" -strokewidth 18 -draw "ellipse 196,192 180,60 200,340" \
  -stroke none -fill "$AMBER" -draw "circle 330,120 330,146" \
  -filter Lanczos -resize 98x96 "$tmp/logo.png"
keyed_bmp "$tmp/logo.png" "$FACE" "$out/logo.bmp"

# --- Embed the pictures into the form descriptions that show them. ---
forms="$here/assets/forms"
while read -r form object property picture; do
  python3 "$here/tools/embed_picture.py" "$picture" --into "$forms/$form" \
    --object "$object" --property "$property"
done <<TABLE
main.dfm TweakFrm Icon.Data $here/assets/velotune.ico
main.dfm back Picture.Data $out/banner.jpg
main.dfm Icon Picture.Data $out/icon32.bmp
main.dfm spdTweak Glyph.Data $out/glyph_tweak.bmp
main.dfm spdFix Glyph.Data $out/glyph_fix.bmp
main.dfm Image1 Picture.Data $out/follow.jpg
main.dfm Image4 Picture.Data $out/share.jpg
main.dfm Image3 Picture.Data $out/post.jpg
main.dfm Image2 Picture.Data $out/bitcoin_large.jpg
donate.dfm Image4 Picture.Data $out/bitcoin.jpg
donate.dfm FB28 Picture.Data $out/follow.jpg
donate.dfm Image2 Picture.Data $out/share.jpg
donate.dfm Image3 Picture.Data $out/post.jpg
about.dfm Image1 Picture.Data $out/logo.bmp
about.dfm Image3 Picture.Data $out/bitcoin.jpg
TABLE

echo "pictures written to $out and embedded in $forms"
