#!/usr/bin/env bash
# Opens "Sestavy" of the real program on a year of real-looking orders, on its own Xvfb display,
# and saves screenshots to screenshots/out/overview*.png.
# Usage: scripts/screenshot-overview.sh [build-folder] [display-number]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
display=:${2:-12}
out=$PWD/screenshots/out
mkdir -p "$out"
work=$(mktemp -d)
source scripts/lib/desktop.sh
start_desktop "$display"
cp "$build/src/app/velorin" "$work/"
year=$(date +%Y)

# Forty orders of one to six items, Windows-1250 with CR LF.
python3 - "$work" "$year" <<'PY'
import random, sys
work, year = sys.argv[1], sys.argv[2]
random.seed(7)
payees = [("19-2000145399", "0800", "Nájem kanceláře"), ("2727", "2700", "Elektřina – záloha"),
          ("123456789", "0100", "Telefon a internet"), ("35-1234567890", "0300", "Účetní služby"),
          ("2001234567", "2010", "Školení řidičů"), ("670100-2202551212", "6210", "Pojištění vozidel"),
          ("1020304050", "5500", "Drobný materiál, kancelářské potřeby"), ("43-9988776655", "0100", "")]
import os
os.makedirs(f"{work}/{year}", exist_ok=True)
for n in range(1, 41):
    lines = ["Česká spořitelna", "Praha 4, Budějovická 1518/13a", "19-2000145399", "0800",
             f"{(n * 7) % 28 + 1}.{(n - 1) // 4 + 1}.{year}"]
    for _ in range(random.randint(1, 6)):
        acc, code, note = random.choice(payees)
        amount = f"{random.randint(50, 48000)},{random.choice(['00', '50', '90', '25'])}"
        lines.append(f"{acc}|{code}|{amount}|{random.randint(1, 9999999)}|0308||{note}|")
    lines += ["|||||||"] * (21 - len(lines))
    with open(f"{work}/{year}/{year}{n:03d}.ppu", "wb") as f:
        f.write("".join(l + "\r\n" for l in lines).encode("cp1250"))
with open(f"{work}/Velorin.ini", "wb") as f:
    f.write(("[Udaje]\r\nAktualniRok=%s\r\nMena=Kč\r\n" % year).encode("cp1250"))
PY

export DISPLAY=$display
"$work/velorin" &
pid=$!
sleep 2.5
wid=$(xdotool search --sync --onlyvisible --name 'Příkaz k úhradě' | head -1)
xdotool windowactivate --sync "$wid"
# Nástroje, then its fourth item: Sestavy.
xdotool mousemove --window "$wid" 125 8 click 1
sleep 0.7
xdotool key --clearmodifiers Down Down Down Down Return
sleep 2
import -window root "$out/overview.png"
echo "wrote $out/overview.png"
# Right to the amount column, sort ascending by it (the sort button is the seventh).
xdotool key --clearmodifiers Right Right Right
sleep 0.5
sid=$(xdotool search --onlyvisible --name '^Sestavy$' | head -1)
xdotool mousemove --window "$sid" 186 14 click 1
sleep 1
import -window root "$out/overview-sorted.png"
echo "wrote $out/overview-sorted.png"
kill $pid 2>/dev/null
wait $pid 2>/dev/null || true
# The manual shows some of these pictures: keep its copies up to date.
bash scripts/manual-images.sh
