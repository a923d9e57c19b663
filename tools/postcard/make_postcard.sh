#!/bin/sh
# SPDX-License-Identifier: MIT
# Draws the address side of a New-Year postcard (362 x 500 pixels) and the
# program icon with ImageMagick and the IPA fonts (Debian: imagemagick,
# fonts-ipafont).
#
#   tools/postcard/make_postcard.sh [overlay.png]
#
# writes resources/postcard.jpg (progressive, 4:4:4 so the thin red frames stay
# red) and resources/fumiyose-256.png. With an argument it also writes the
# picture with the preview's label rectangles drawn over it, to check by eye
# that every label falls into its box.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
resources=$(cd "$here/../../resources" && pwd)
convert=${CONVERT:-convert}
mincho=/usr/share/fonts/opentype/ipafont-mincho/ipam.ttf
gothic=/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf

paper='#FBF8EF'
vermilion='#D8402B'
seal='#C9331F'
petal='#EC8C74'
gold='#DDA73C'
branch='#7B4B36'
panel='#FDF2EC'

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mvg=$work/postcard.mvg

emit() { printf '%s\n' "$*" >>"$mvg"; }

# A filled rectangle, corners inclusive.
block() { emit "fill '$5' rectangle $1,$2 $3,$4"; }

# The outline of a box, corners inclusive, `t` pixels thick, drawn inward.
frame() {
    x0=$1 y0=$2 x1=$3 y1=$4 t=$5 colour=$6
    block "$x0" "$y0" "$x1" $((y0 + t - 1)) "$colour"
    block "$x0" $((y1 - t + 1)) "$x1" "$y1" "$colour"
    block "$x0" "$y0" $((x0 + t - 1)) "$y1" "$colour"
    block $((x1 - t + 1)) "$y0" "$x1" "$y1" "$colour"
}

# A one-pixel dashed outline: two pixels on, one off, around the corners.
dashed_frame() {
    x0=$1 y0=$2 x1=$3 y1=$4 colour=$5
    emit "fill '$colour'"
    i=0
    x=$x0
    while [ "$x" -le "$x1" ]; do
        if [ $((i % 3)) -ne 2 ]; then emit "point $x,$y0" "point $x,$y1"; fi
        i=$((i + 1)) x=$((x + 1))
    done
    i=0
    y=$y0
    while [ "$y" -le "$y1" ]; do
        if [ $((i % 3)) -ne 2 ]; then emit "point $x0,$y" "point $x1,$y"; fi
        i=$((i + 1)) y=$((y + 1))
    done
}

text() { emit "font '$1' font-size $2 fill '$3' text $4,$5 '$6'"; }

: >"$mvg"
emit "viewbox 0 0 362 500"
emit "stroke none"
emit "stroke-antialias 0"
block 0 0 361 499 "$paper"

# --- The printed postage mark at the top left: a framed New-Year stamp with a
# plum blossom, the 年賀 seal, NIPPON and the face value.
frame 14 12 90 108 1 "$vermilion"
frame 17 15 87 105 2 "$vermilion"
text "$gothic" 8 "$vermilion" 37 27 "NIPPON"
emit "push graphic-context"
emit "stroke-antialias 1 stroke '$branch' stroke-width 2 fill none"
emit "path 'M 22,74 C 38,66 52,58 82,34'"
emit "path 'M 58,52 C 64,54 70,60 74,70'"
emit "pop graphic-context"
emit "push graphic-context"
emit "stroke-antialias 1 stroke '$vermilion' stroke-width 1 fill '$petal'"
# Five petals of radius 7.5 around the centre 52,56: centre, then a point on the rim.
for petal_circle in "52,45 52,52.5" "62.5,52.6 62.5,60.1" "58.5,65 58.5,72.5" "45.5,65 45.5,72.5" \
    "41.5,52.6 41.5,60.1"; do
    emit "circle $petal_circle"
done
emit "stroke none fill '$gold' circle 52,56 52,60"
emit "fill '$vermilion' circle 52,56 52,57.5"
emit "stroke '$vermilion' fill '$petal' circle 78,38 78,43"
emit "stroke none fill '$gold' circle 78,38 78,40"
emit "stroke '$vermilion' fill '$petal' circle 74,72 74,75.5"
emit "pop graphic-context"
block 22 76 40 102 "$seal"
text "$gothic" 14 "$paper" 24 89 "年"
text "$gothic" 14 "$paper" 24 101 "賀"
text "$mincho" 19 "$vermilion" 56 101 "63"

# --- The card's name across the top, spaced out as on a real card.
x=141
for ch in 郵 便 は が き; do
    text "$mincho" 13 "$vermilion" "$x" 19 "$ch"
    x=$((x + 16))
done

# --- The addressee's postal code: three heavier boxes, a hyphen, four boxes.
frame 166 25 186 55 2 "$vermilion"
frame 188 25 208 55 2 "$vermilion"
frame 209 25 229 55 2 "$vermilion"
# Boxes 2 and 3 touch: one two-pixel rule between them, not four.
block 207 27 207 53 "$paper"
block 210 27 210 53 "$paper"
block 231 40 234 41 "$vermilion"
frame 236 25 256 55 1 "$vermilion"
frame 257 25 277 55 1 "$vermilion"
frame 279 25 299 55 1 "$vermilion"
frame 301 25 320 55 1 "$vermilion"

# --- The sender's postal code: seven small dashed boxes around the digits.
for left in 26 39 52 66 80 93 106; do
    dashed_frame "$left" 417 $((left + 11)) 435 "$vermilion"
done
block 64 426 65 426 "$vermilion"

# --- The lottery strip: two ruled panels for the series and the number, and
# the card's kind between them.
lottery_panel() {
    # sh has no locals: these names are the panel's own, apart from frame's.
    panel_left=$1 panel_right=$2
    block "$panel_left" 456 "$panel_right" 479 "$panel"
    frame "$panel_left" 456 "$panel_right" 479 1 "$vermilion"
    frame $((panel_left + 2)) 458 $((panel_right - 2)) 477 1 "$vermilion"
    for mark in "$3" "$4"; do
        emit "push graphic-context stroke-antialias 1 fill '$vermilion'"
        emit "polygon $mark,464 $((mark + 3)),467.5 $mark,471 $((mark - 3)),467.5"
        emit "pop graphic-context"
    done
}
block 129 456 233 456 "$vermilion"
block 129 479 233 479 "$vermilion"
lottery_panel 4 128 12 122
lottery_panel 234 358 242 352
text "$gothic" 10 "$vermilion" 136 472 "お年玉付郵便はがき"

"$convert" -size 362x500 mvg:"$mvg" -strip -sampling-factor 1x1 -quality 92 -interlace JPEG \
    "$resources/postcard.jpg"

# The icon: the scalable one is kept as written; the PNG is drawn from it.
"$convert" -background none -density 96 "$resources/fumiyose.svg" -resize 256x256 \
    "$resources/fumiyose-256.png"

if [ $# -ge 1 ]; then
    # Label rectangles of the preview, in group coordinates (picture + 2, 14).
    overlay=$work/overlay.mvg
    : >"$overlay"
    rect() { printf "rectangle %d,%d %d,%d\n" $(($1 - 2)) $(($2 - 14)) $(($1 - 2 + $3 - 1)) \
        $(($2 - 14 + $4 - 1)) >>"$overlay"; }
    printf "viewbox 0 0 362 500\nfill none stroke '#0060FF' stroke-width 1\n" >>"$overlay"
    for left in 168 190 212 238 260 282 303; do rect "$left" 40 20 30; done
    for left in 29 42 55 69 83 96 109; do rect "$left" 432 10 15; done
    rect 304 88 42 321
    rect 264 88 42 321
    rect 200 112 57 305
    rect 144 112 57 305
    rect 104 200 30 225
    rect 80 200 30 225
    rect 40 248 34 177
    rect 8 248 34 177
    rect 20 470 100 25
    rect 250 470 100 25
    printf "stroke none fill '#000080' font '%s' font-size 21\n" "$mincho" >>"$overlay"
    printf "text 28,477 'A0001組'\ntext 266,477 '123456'\n" >>"$overlay"
    "$convert" "$resources/postcard.jpg" \( -size 362x500 -background none mvg:"$overlay" \) \
        -composite "$1"
fi
