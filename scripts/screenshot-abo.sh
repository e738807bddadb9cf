#!/usr/bin/env bash
# Opens the ABO export dialog of the real program on its own Xvfb display, once per bank format,
# and saves screenshots to screenshots/out/abo-<format>.png.
# Usage: scripts/screenshot-abo.sh [build-folder] [display-number]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
display=:${2:-15}
out=$PWD/screenshots/out
mkdir -p "$out"
work=$(mktemp -d)
source scripts/lib/desktop.sh
start_desktop "$display"
cp "$build/src/app/velorin" "$work/"

year=$(date +%Y)
mkdir -p "$work/$year"
{
    printf '%s\n' "Česká spořitelna" "Praha 4, Budějovická 1518/13a" "19-2000145399" "0800" "3.1.$year" \
        "123456789|0100|1250,00|2201|0308||Nájem za leden|" "2727|2700|15990,50|20230117|0008||Příliš žluťoučký kůň|"
    for ((i = 3; i <= 16; i++)); do echo "|||||||"; done
} | cp1250 > "$work/$year/${year}001.ppu"

for format in Fio KB; do
    printf '%s\n' "[Udaje]" "AktualniRok=$year" "CisloUctu=19-2000145399" "SmerovyKod=0800" "NazevKlienta=NOVÁK" \
        "CisloKlienta=0000012345" "[GenerovaniABO]" "PripojovatKomentare=1" "FormatBanky=$format" \
        | cp1250 > "$work/Velorin.ini"
    DISPLAY=$display "$work/velorin" &
    pid=$!
    sleep 2.5
    export DISPLAY=$display
    wid=$(xdotool search --sync --onlyvisible --name 'Příkaz k úhradě' | head -1)
    xdotool windowactivate --sync "$wid"
    xdotool key --clearmodifiers ctrl+o
    sleep 1
    xdotool key --clearmodifiers Down Return
    sleep 1
    xdotool windowactivate --sync "$wid"
    # Nástroje, then its last but one item: the ABO export.
    xdotool mousemove --window "$wid" 125 8 click 1
    sleep 0.7
    xdotool key --clearmodifiers Up Up Return
    sleep 1.5
    import -window root "$out/abo-$format.png"
    echo "wrote $out/abo-$format.png"
    kill $pid 2>/dev/null
    wait $pid 2>/dev/null || true
    unset DISPLAY
done
# The manual shows some of these pictures: keep its copies up to date.
bash scripts/manual-images.sh
