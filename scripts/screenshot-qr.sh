#!/usr/bin/env bash
# Runs the real program on an X display (default :18; Xvfb and openbox must run there), opens a
# sample order and saves screenshots of the QR Platba dialog and of the preview of "Tisk QR kódů"
# to screenshots/out/, and the PDF page of the codes rendered by pdftoppm.
# Usage: scripts/screenshot-qr.sh [build-folder] [display]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
export DISPLAY=${2:-:18}
out=$PWD/screenshots/out
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$build/src/app/velorin" "$work/"
source scripts/lib/desktop.sh
year=$(date +%Y)
mkdir -p "$work/$year"
{
    printf '%s\n' "Česká spořitelna" "Praha 4" "19-2000145399" "0800" "31.1.$year" \
        "19-2000145399|0800|1250,00|20250001|0308||Nájem za leden|" \
        "100036-2000145399|0800|15990,50|20230117|0008||Faktura č. 17 – údržba 50 % + DPH|" \
        "1265098001|5500||||||" "2000145399|0800|99,90|||||"
    for ((i = 5; i <= 16; i++)); do echo "|||||||"; done
} | cp1250 > "$work/$year/${year}001.ppu"
printf '%s\n' "[Udaje]" "AktualniRok=$year" "Mena=Kč" | cp1250 > "$work/Velorin.ini"

shot() { sleep 1.2; import -window root "$out/$1.png"; echo "wrote $out/$1.png"; }
key() { xdotool key --clearmodifiers "$@"; sleep 0.7; }
"$work/velorin" &
pid=$!
sleep 2.5
wid=$(xdotool search --sync --onlyvisible --name 'Příkaz k úhradě' | head -1)
xdotool windowmove --sync "$wid" 20 20
xdotool windowfocus --sync "$wid"
key ctrl+o
key Down Return
xdotool windowfocus --sync "$wid"
shot qr-00-main
# The toolbar button TB_QrPlatba, right of the delete button.
xdotool mousemove --window "$wid" "${QR_BUTTON_X:-230}" 31 click 1
shot qr-01-dialog
key Escape
xdotool windowfocus --sync "$wid"
xdotool mousemove --window "$wid" 25 8 click 1
sleep 0.5
key Down Down Down Return # Zavřít, Náhled a tisk příkazu, Tisk QR kódů
shot qr-02-preview
# Export do PDF, then the page as the printer gets it.
pw=$(xdotool search --sync --onlyvisible --name '^Náhled$' | head -1)
xdotool mousemove --window "$pw" 267 10 click 1
sleep 1.5
xdotool key ctrl+a
xdotool type --delay 20 "$work/kody.pdf"
key Return
sleep 1.5
pdftoppm -png -r 100 -f 1 -l 1 -singlefile "$work/kody.pdf" "$out/qr-03-pdf-page" && echo "wrote $out/qr-03-pdf-page.png"
xdotool windowfocus --sync "$pw"
key Escape
kill $pid 2>/dev/null || true
wait $pid 2>/dev/null || true
# The manual shows some of these pictures: keep its copies up to date.
bash scripts/manual-images.sh
