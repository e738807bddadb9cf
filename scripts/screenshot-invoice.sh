#!/usr/bin/env bash
# Runs the real program under Xvfb with openbox, makes a new order and loads a PDF invoice with a QR
# Platba code and an ISDOC invoice through "Načíst platbu z faktury…"; saves screenshots of the
# confirmation, of the grid after OK and of the message for a picture without a code to
# screenshots/out/ (or the folder given).
# Usage: scripts/screenshot-invoice.sh [build-folder] [display-number] [out-folder]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
display=${2:-23}
out=${3:-$PWD/screenshots/out}
mkdir -p "$out"
work=$(mktemp -d)
source scripts/lib/desktop.sh
start_desktop ":$display"
export DISPLAY=":$display"
libs=("$build"/src/qr/libvelorin_qr.a "$build"/src/bank/libvelorin_bank.a "$build"/src/order/libvelorin_order.a
    "$build"/src/common/libvelorin_common.a)
g++ -std=c++20 -fPIC -Isrc scripts/invoice-samples.cpp "${libs[@]}" \
    $(pkg-config --cflags --libs Qt6Gui libqrencode) -o "$work/samples"
mkdir -p "$work/faktury"
"$work/samples" "$work/faktury/teplo-FV-2026-043.pdf"
cp fuzz/corpus/fuzz_isdoc/one-payment.isdoc "$work/faktury/dodavatel-FV-2026-042.isdoc"
cp "$build/src/app/velorin" "$work/"
year=$(date +%Y)
mkdir -p "$work/$year"
printf '%s\n' "[Udaje]" "AktualniRok=$year" "Mena=Kč" "NazevBanky=Fio banka" "CisloUctu=2400123456" \
    "SmerovyKod=2010" | cp1250 > "$work/Velorin.ini"

shot() { sleep 1.2; import -window root "$out/$1.png"; echo "wrote $out/$1.png"; }
key() { xdotool key --clearmodifiers "$@"; sleep 0.7; }
"$work/velorin" &
pid=$!
sleep 2.5
wid=$(xdotool search --sync --onlyvisible --name 'Příkaz k úhradě' | head -1)
xdotool windowmove --sync "$wid" 20 20
xdotool windowfocus --sync "$wid"
key ctrl+n
# Menu Položky, the seventh item: Načíst platbu z faktury…
xdotool mousemove --window "$wid" 75 8 click 1
sleep 0.5
key Down Down Down Down Down Down Return
sleep 1
xdotool type --delay 20 "\"$work/faktury/teplo-FV-2026-043.pdf\" \"$work/faktury/dodavatel-FV-2026-042.isdoc\""
key Return
sleep 2
shot invoice-01-dialog
dialog=$(xdotool search --sync --onlyvisible --name 'Platby z faktur' | head -1)
xdotool windowfocus --sync "$dialog"
key Return
shot invoice-02-grid
# A picture without a code says so and changes nothing.
convert -size 400x300 xc:white "$work/faktury/sken.png"
xdotool windowfocus --sync "$wid"
xdotool mousemove --window "$wid" 75 8 click 1
sleep 0.5
key Down Down Down Down Down Down Return
sleep 1
xdotool type --delay 20 "$work/faktury/sken.png"
key Return
shot invoice-03-nothing-found
key Return
tr -d '\r' < "$work/$year/${year}001.ppu" | iconv -f WINDOWS-1250 -t UTF-8 > "$out/invoice-order.txt"
kill $pid 2>/dev/null || true
wait $pid 2>/dev/null || true
