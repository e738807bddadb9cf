#!/usr/bin/env bash
# Copies the screenshots the manual shows from screenshots/out/ into doc/napoveda/obrazky/: cut to
# what is on the screen (the empty X screen around it trimmed) and scaled down when wider than the
# page. The screenshot scripts call it at their end, so the manual's pictures follow the program; a
# screenshot not taken in this run leaves the manual's picture as it was.
# Usage: scripts/manual-images.sh
set -euo pipefail
cd "$(dirname "$0")/.."
out=screenshots/out
images=doc/napoveda/obrazky
mkdir -p "$images"
# screenshot in screenshots/out : picture of the manual
pictures=(
    01-main-no-order:hlavni-okno-bez-prikazu
    03-main-order-open:hlavni-okno
    02-open-dialog:otevrit
    04-item-editor:editace-polozky
    05-menu-prikaz:menu-prikaz
    05-menu-polozky:menu-polozky
    06-menu-nastroje:menu-nastroje
    07-settings:konfigurace
    08-presets:predvolby
    09-date-picker:datum
    10-about:o-programu
    12-preset-picker:vyber-predvolby
    abo-Fio:abo
    overview:sestavy
    qr-01-dialog:qr-platba
    qr-02-preview:qr-kody
    print-single-preview:nahled-jednotlivy
    print-collective-preview:nahled-hromadny
)
for pair in "${pictures[@]}"; do
    shot=$out/${pair%%:*}.png
    [[ -f $shot ]] || continue
    # No time stamps in the file: an unchanged screen gives an unchanged picture.
    convert "$shot" -trim +repage -resize '760x>' -strip -define png:exclude-chunks=date,time \
        "$images/${pair#*:}.png"
done
echo "manual pictures in $images"
