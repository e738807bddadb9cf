#!/usr/bin/env bash
# Runs the real program under Xvfb in a scratch program folder, drives it with xdotool and saves
# screenshots of the main window and its dialogs to screenshots/out/.
# Usage: scripts/screenshots.sh [build-folder]
# With VELORIN_DISPLAY=:N it uses that X display (for instance Xvfb with openbox, to see the title
# bars a window manager draws) instead of a private Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=$PWD/screenshots/out
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$build/src/app/velorin" "$work/"

# Files in Windows-1250 with CR LF, as the program keeps them.
source scripts/lib/desktop.sh
year=$(date +%Y)
mkdir -p "$work/$year"
order() { # name date rows...
    local name=$1 date=$2
    shift 2
    {
        printf '%s\n' "Česká spořitelna" "Praha 4, Budějovická 1518/13a" "19-2000145399" "0800" "$date" "$@"
        for ((i = $# + 1; i <= 16; i++)); do echo "|||||||"; done
    } | cp1250 > "$work/$year/$name.ppu"
}
order "${year}001" "3.1.$year" "123456789|0100|1250,00|2201|0308||Nájem za leden|" \
    "2727|2700|15990,50|20230117|0008||Faktura č. 17 – údržba|" "|0300|120,00||||Jen částka bez účtu|"
order "${year}002" "17.1.$year" "19-123457/0800|0800|980,00|4412|0558|||"
order "${year}003" "2.2.$year" "35-1234567890|0100|12500,00|1|0308||Záloha|" "2000|2010|99,90|||||"
printf '%s\n' "[Udaje]" "AktualniRok=$year" "NazevBanky=Česká spořitelna" "Adresa=Praha 4, Budějovická 1518/13a" \
    "CisloUctu=19-2000145399" "SmerovyKod=0800" "NazevKlienta=NOVÁK" "CisloKlienta=0000012345" "Mena=Kč" \
    | cp1250 > "$work/Velorin.ini"
printf '%s\n' "Nájem|123456789|0100|2201|0308||Nájem|" "Elektřina|2727|2700||0008||Záloha|" \
    | cp1250 > "$work/predvolby.pvb"

cat > "$work/drive.sh" <<'INNER'
set -u
shot() { sleep 1; import -window root "$OUT/$1.png"; echo "wrote $OUT/$1.png"; }
key() { xdotool key --clearmodifiers "$@"; sleep 0.7; }
"$WORK/velorin" &
pid=$!
sleep 2.5
# No window manager under Xvfb: give the main window the keyboard focus by hand.
wid=$(xdotool search --sync --onlyvisible --name 'Příkaz k úhradě' | head -1)
xdotool windowfocus --sync "$wid"
shot 01-main-no-order
key ctrl+o
shot 02-open-dialog
key Down Return
xdotool windowfocus --sync "$wid"
shot 03-main-order-open
key Insert
shot 04-item-editor
# Storno, found in the editor's own window: a window manager may have placed it anywhere. The
# editor ignores Esc.
ed=$(xdotool search --onlyvisible --name 'Editace položky' | head -1)
xdotool mousemove --window "$ed" 369 201 click 1
sleep 0.5
xdotool windowfocus --sync "$wid"
xdotool mousemove --window "$wid" 25 8 click 1
shot 05-menu-prikaz
key Escape
xdotool mousemove --window "$wid" 75 8 click 1
shot 05-menu-polozky
key Escape
xdotool mousemove --window "$wid" 125 8 click 1
shot 06-menu-nastroje
key Escape
xdotool windowfocus --sync "$wid"
xdotool mousemove --window "$wid" 374 31 click 1 # Konfigurace
shot 07-settings
key Escape
xdotool windowfocus --sync "$wid"
xdotool mousemove --window "$wid" 398 31 click 1 # Nastavení předvoleb plateb
shot 08-presets
key Escape
xdotool windowfocus --sync "$wid"
xdotool mousemove --window "$wid" 342 31 click 1 # Změnit datum
shot 09-date-picker
key Escape
xdotool windowfocus --sync "$wid"
xdotool mousemove --window "$wid" 170 8 click 1
sleep 0.4
key Up Return
shot 10-about
key Escape
# The preset picker's box for an empty search, from the item editor's "..." button.
xdotool windowfocus --sync "$wid"
key Insert
key Tab Tab
key space
shot 12-preset-picker
key F3
shot 11-empty-search-box
key Return Escape Escape
kill $pid 2>/dev/null
wait $pid 2>/dev/null
true
INNER
if [[ -n ${VELORIN_DISPLAY:-} ]]; then
    OUT=$out WORK=$work DISPLAY=$VELORIN_DISPLAY bash "$work/drive.sh"
else
    OUT=$out WORK=$work xvfb-run -a -s "-screen 0 900x640x24" bash "$work/drive.sh"
fi
# The manual shows some of these pictures: keep its copies up to date.
bash scripts/manual-images.sh
