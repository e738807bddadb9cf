#!/usr/bin/env bash
# Runs the real program under Xvfb in a scratch program folder, drives it with xdotool and saves
# screenshots of the main window and its dialogs to screenshots/out/.
# Usage: scripts/screenshots.sh [build-folder]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=$PWD/screenshots/out
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$build/src/app/velorin" "$work/"

# A few stored orders so that the open dialog has something to list.
year=$(date +%Y)
mkdir -p "$work/$year"
crlf() { sed 's/$/\r/' | iconv -f UTF-8 -t WINDOWS-1250; }
printf '%s\n' "Česká spořitelna" "Praha 4, Budějovická 1518/13a" "19-2000145399" "0800" "3.1.$year" \
    "123456789|0100|1250,00|2201|0308||Nájem za leden|" "2727|2700|15990,50|20230117|0008||Faktura č. 17 – údržba|" \
    > "$work/$year/${year}001.ppu.txt"
for i in $(seq 3 16); do echo "|||||||" >> "$work/$year/${year}001.ppu.txt"; done
crlf < "$work/$year/${year}001.ppu.txt" > "$work/$year/${year}001.ppu"
sed -e "s/3.1.$year/17.1.$year/" -e 's/1250,00/980,00/' "$work/$year/${year}001.ppu.txt" | crlf > "$work/$year/${year}002.ppu"
rm "$work/$year/${year}001.ppu.txt"
printf '%s\n' "[Udaje]" "AktualniRok=$year" "NazevBanky=Česká spořitelna" "Adresa=Praha 4, Budějovická 1518/13a" \
    "CisloUctu=19-2000145399" "SmerovyKod=0800" "NazevKlienta=NOVÁK" "CisloKlienta=0000012345" "Mena=Kč" \
    | crlf > "$work/Velorin.ini"

shot() { sleep 0.8; import -window root "$out/$1.png"; echo "wrote $out/$1.png"; }
key() { xdotool key --clearmodifiers "$@"; sleep 0.5; }

export DISPLAY_SCRIPT=1
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    set -e
    out='"'$out'"'; work='"'$work'"'
    shot() { sleep 0.8; import -window root "$out/$1.png"; echo "wrote $out/$1.png"; }
    key() { xdotool key --clearmodifiers "$@"; sleep 0.6; }
    "$work/velorin" & pid=$!
    sleep 2
    shot main-no-order
    key ctrl+o; shot open-dialog
    key Down; key Return; sleep 0.5; shot main-order-open
    key Insert; shot item-editor; key Escape
    xdotool mousemove 100 10 click 1; sleep 0.5; shot menu-prikaz; key Escape; key Escape
    kill $pid 2>/dev/null || true
'
