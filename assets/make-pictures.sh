#!/usr/bin/env bash
# Draws the two background pictures of the sign-in dialog. The white boxes and the drawn buttons lie exactly
# under the dialog's fields and flat buttons, so any change of the dialog's geometry must be repeated here.
# Needs ImageMagick 6 and the Liberation fonts; run it from anywhere, it writes beside itself.
set -euo pipefail
cd "$(dirname "$0")"

convert=/usr/bin/convert
fonts=/usr/share/fonts/truetype/liberation
regular=$fonts/LiberationSans-Regular.ttf
bold=$fonts/LiberationSans-Bold.ttf
for file in "$convert" "$regular" "$bold"; do
  [ -e "$file" ] || { echo "missing $file (install imagemagick fonts-liberation)" >&2; exit 1; }
done

width=497
ink='#22303d'       # labels
rule='#8a9bb0'      # thin rules and box frames
button_top='#6a8099'
button_bottom='#4a5f78'

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Each helper appends its drawing operations to the array `ops`.

# A white box one pixel larger than the field on every side, so the borderless field sits inside its frame.
# Arguments: left top width height of the field.
box() {
  local x=$1 y=$2 w=$3 h=$4
  ops+=(-fill white -stroke "$rule" -strokewidth 1 -draw "rectangle $((x - 1)),$((y - 1)) $((x + w)),$((y + h))")
}

# A label whose right edge ends 8 pixels left of a field, centred on the field's height.
# Arguments: field left, field top, field height, text.
label() {
  local x=$1 y=$2 h=$3 text=$4
  ops+=(-stroke none -fill "$ink" -font "$regular" -pointsize 13 -gravity NorthEast
        -annotate "+$((width - x + 8))+$((y + (h - 15) / 2))" "$text")
}

# A drawn button: a rounded panel with a soft vertical shade and its caption centred.
# Arguments: left top width height caption.
button() {
  local x=$1 y=$2 w=$3 h=$4 text=$5
  local panel="$work/button-$x-$y.png"
  "$convert" -size "${w}x${h}" "gradient:${button_top}-${button_bottom}" \
    \( -size "${w}x${h}" xc:none -fill white -draw "roundrectangle 0,0 $((w - 1)),$((h - 1)) 3,3" \) \
    -compose CopyOpacity -composite -compose Over \
    -fill none -stroke '#34465a' -strokewidth 1 -draw "roundrectangle 0,0 $((w - 1)),$((h - 1)) 3,3" \
    -stroke none -fill white -font "$bold" -pointsize 12 -gravity Center -annotate +0+0 "$text" "$panel"
  ops+=("$panel" -gravity NorthWest -geometry "+$x+$y" -composite)
}

last=$((width - 1))

# Upper picture, 497x278: a dark heading band with the program's title (the version label is drawn in white
# over its top left corner), a thin rule, a light body with the message area, the sign-in fields and buttons.
ops=(-size "${width}x70" 'gradient:#3b4d61-#2c3b4c' \( -size "${width}x208" 'gradient:#eef2f6-#d5dde6' \) -append
     -fill '#9fb1c5' -draw "rectangle 0,70 $last,71" -fill '#c7d2de' -draw "rectangle 0,72 $last,72"
     -stroke none -fill white -font "$bold" -pointsize 22 -gravity North -annotate +0+30 'ZEB 7 Штатное расписание'
     -fill '#b9c7d6' -font "$regular" -pointsize 11 -gravity NorthEast -annotate +12+8 'Отдел кадров'
     -fill none -stroke '#c3cdd9' -strokewidth 1 -draw 'roundrectangle 52,99 396,192 6,6')
box 146 202 187 21
box 146 238 187 21
label 146 202 21 'Пользователь'
label 146 238 21 'Пароль'
button 349 200 55 20 'Вход'
button 418 199 67 22 'Отмена'
button 346 236 139 22 'Дополнительно'
ops+=(-fill '#9fb1c5' -stroke none -draw "rectangle 0,276 $last,277")
"$convert" "${ops[@]}" -strip -define png:compression-level=9 PNG24:signin-upper.png

# Lower picture, 497x139, placed 277 pixels down: the password-change area. Its fields lie at their dialog
# position minus 277.
ops=(-size "${width}x139" 'gradient:#e3e9ef-#cbd5df' -fill '#9fb1c5' -draw "rectangle 0,0 $last,1"
     -stroke none -fill "$ink" -font "$bold" -pointsize 14 -gravity NorthWest -annotate +20+8 'Замена пароля'
     -fill none -stroke "$rule" -strokewidth 1 -draw 'line 130,17 476,17')
box 148 32 186 21
box 148 68 186 21
label 148 32 21 'Новый пароль'
label 148 68 21 'Подтверждение'
ops+=(-stroke none -fill '#4a5a6a' -font "$regular" -pointsize 11 -gravity NorthWest
      -annotate +148+98 'Не менее 6 символов: латинские буквы, цифры и знак _'
      -fill '#3b4d61' -draw "rectangle 0,133 $last,138")
"$convert" "${ops[@]}" -strip -define png:compression-level=9 PNG24:signin-lower.png

echo "wrote $(pwd)/signin-upper.png and $(pwd)/signin-lower.png"
