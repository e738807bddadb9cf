#!/usr/bin/env bash
# Screenshots of the payment checks in the real program: the grid's warning marks, the item
# editor's line, the settings dialog's line, the print preview's and the ABO dialog's warning.
# Usage: scripts/screenshots-checks.sh display-number [build-folder]   (e.g. 17)
set -euo pipefail
cd "$(dirname "$0")/.."
disp=:${1:?display number}
build=${2:-build}
out=$PWD/screenshots/out
mkdir -p "$out"
work=$(mktemp -d)
cp "$build/src/app/velorin" "$work/"

source scripts/lib/desktop.sh
year=$(date +%Y)
mkdir -p "$work/$year"
{
    printf '%s\n' "Česká spořitelna" "Praha 4, Budějovická 1518/13a" "19-2000145398" "0800" "3.1.$year" \
        "19-2000145399|0800|1250,00|2201|0308||Nájem za leden|" \
        "178124-4158|0710|15990,50|20230117|0008||Faktura č. 17 – údržba|" \
        "1265098001|5500|99,90||1178|||" "2000145399|0999|120,00||||Neznámá banka|"
    for ((i = 5; i <= 16; i++)); do echo "|||||||"; done
} | cp1250 > "$work/$year/${year}001.ppu"
printf '%s\n' "[Udaje]" "AktualniRok=$year" "NazevBanky=Česká spořitelna" "Adresa=Praha 4, Budějovická 1518/13a" \
    "CisloUctu=19-2000145398" "SmerovyKod=0800" "NazevKlienta=NOVÁK" "CisloKlienta=0000012345" "Mena=Kč" \
    | cp1250 > "$work/Velorin.ini"

start_desktop "$disp"
sleep 1
export DISPLAY=$disp
shot() { sleep 1; import -window root "$out/$1.png"; echo "wrote $out/$1.png"; }
key() { xdotool key --clearmodifiers "$@"; sleep 0.7; }
"$work/velorin" & app=$!
sleep 2.5
wid=$(xdotool search --sync --onlyvisible --name 'Příkaz k úhradě' | head -1)
xdotool windowactivate --sync "$wid"
key ctrl+o
key Down Return
xdotool windowactivate --sync "$wid"
key Down
xdotool mousemove --window "$wid" 120 112 # over row 2's warning mark: its tooltip
sleep 2
shot checks-01-grid
key Insert
shot checks-02-item-editor
key Up space # Storno
xdotool windowactivate --sync "$wid"
xdotool mousemove --window "$wid" 374 31 click 1 # Konfigurace
shot checks-03-settings
key Escape
xdotool windowactivate --sync "$wid"
key ctrl+p
sleep 1
shot checks-04-preview
key Escape
xdotool windowactivate --sync "$wid"
xdotool mousemove --window "$wid" 446 31 click 1 # Export ABO
shot checks-05-abo
key Escape
xdotool windowactivate --sync "$wid"
xdotool mousemove --window "$wid" 374 31 click 1 # Konfigurace
sleep 1
xdotool key --clearmodifiers Tab Tab Tab ctrl+a
xdotool type --delay 60 '1234567-1' # a prefix of seven digits: the long warning wraps
shot checks-06-settings-long
key Escape
xdotool windowactivate --sync "$wid"
key Insert
xdotool type --delay 60 '1234567-1'
shot checks-07-item-editor-long
kill $app 2>/dev/null || true
wait $app 2>/dev/null || true
rm -rf "$work"
