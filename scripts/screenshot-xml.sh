#!/usr/bin/env bash
# Opens the XML (pain.001) export dialog of the real program on its own Xvfb display for a CZK and an
# EUR order, saves a screenshot of each to screenshots/out/xml-<currency>.png, saves the file through
# the dialog and validates it with xmllint against the schema the program compiles in.
# Usage: scripts/screenshot-xml.sh [build-folder] [display-number]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
display=:${2:-16}
out=$PWD/screenshots/out
schema=$PWD/src/pain/schema/pain.001.001.03.xsd
mkdir -p "$out"
work=$(mktemp -d)
source scripts/lib/desktop.sh
start_desktop "$display"
cp "$build/src/app/velorin" "$work/"

year=$(date +%Y)
mkdir -p "$work/$year"
{
    printf '%s\n' "Česká spořitelna" "Praha 4, Budějovická 1518/13a" "19-2000145399" "0800" "3.1.$year" \
        "123456789|0100|1250,00|2201|0308||Nájem za leden & únor|" "2727|2700|15990,50|20230117|0008||Příliš žluťoučký kůň|"
    for ((i = 3; i <= 16; i++)); do echo "|||||||"; done
} | cp1250 > "$work/$year/${year}001.ppu"

export DISPLAY=$display
for currency in CZK EUR; do
    mena=Kč
    [ "$currency" = EUR ] && mena=EUR
    printf '%s\n' "[Udaje]" "AktualniRok=$year" "CisloUctu=19-2000145399" "SmerovyKod=0800" "NazevKlienta=NOVÁK" \
        "CisloKlienta=0000012345" "Mena=$mena" | cp1250 > "$work/Velorin.ini"
    "$work/velorin" &
    pid=$!
    sleep 2.5
    wid=$(xdotool search --sync --onlyvisible --name 'Příkaz k úhradě' | head -1)
    xdotool windowactivate --sync "$wid"
    xdotool key --clearmodifiers ctrl+o
    sleep 1
    xdotool key --clearmodifiers Down Return
    sleep 1
    xdotool windowactivate --sync "$wid"
    # Nástroje, then its last item: the XML export.
    xdotool mousemove --window "$wid" 125 8 click 1
    sleep 0.7
    xdotool key --clearmodifiers Up Return
    sleep 1.5
    import -window root "$out/xml-$currency.png"
    echo "wrote $out/xml-$currency.png"
    # "Uložit do souboru", then the file name in the save dialog.
    dialog=$(xdotool search --sync --onlyvisible --name 'Export příkazu do formátu XML' | head -1)
    xdotool mousemove --window "$dialog" 100 20 click 1
    sleep 1.5
    xdotool key --clearmodifiers ctrl+a
    xdotool type --delay 20 "$work/platby-$currency.xml"
    xdotool key --clearmodifiers Return
    sleep 1
    import -window root "$out/xml-$currency-saved.png"
    xmllint --noout --schema "$schema" "$work/platby-$currency.xml"
    cp "$work/platby-$currency.xml" "$out/"
    kill $pid 2>/dev/null
    wait $pid 2>/dev/null || true
done
