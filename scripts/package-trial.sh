#!/usr/bin/env bash
# Tries the Debian package as a new user would: installs it, starts the program from its desktop entry
# under Xvfb with openbox, makes an order, starts again from a shell and opens it, removes the package
# and checks that the order stays. Screenshots go to the output folder. Needs root (dpkg).
# Usage: scripts/package-trial.sh build/velorin_1.4.0_amd64.deb [display] [output-folder]
set -euo pipefail
deb=$1
display=${2:-:99}
out=${3:-screenshots/out/package}
mkdir -p "$out"
out=$(cd "$out" && pwd)
home=$(mktemp -d) # the new user's home
year=$(date +%Y)
data=$home/.local/share/Velorin

dpkg -i "$deb"
Xvfb "$display" -screen 0 1024x768x24 &
xvfb=$!
sleep 1
DISPLAY=$display openbox &
wm=$!
cleanup() { kill "$wm" "$xvfb" 2>/dev/null || true; }
trap cleanup EXIT
sleep 1

export DISPLAY=$display HOME=$home
unset XDG_DATA_HOME XDG_CONFIG_HOME
shot() { sleep 1; import -display "$display" -window root "$out/$1.png"; echo "wrote $out/$1.png"; }
key() { xdotool key --clearmodifiers "$@"; sleep 0.7; }
main_window() { xdotool search --sync --onlyvisible --name 'Příkaz k úhradě' | head -1; }
# Waits until process $1 has ended (other copies may run on this machine).
wait_gone() {
    local pid=$1
    for _ in $(seq 50); do
        kill -0 "$pid" 2> /dev/null || return 0
        sleep 0.2
    done
    echo "velorin $pid still runs"
    exit 1
}

# First start, from the menu entry; a new order with one item, then close the order and the program.
gio launch /usr/share/applications/velorin.desktop
wid=$(main_window)
xdotool windowactivate --sync "$wid"
key ctrl+n
key Insert
xdotool type --delay 40 '19-2000145399'
key Tab
xdotool type --delay 40 '0800'
key Tab Tab
xdotool type --delay 40 '1250'
key Tab Tab Tab Tab
xdotool type --delay 40 'Nájem za leden'
shot 01-item-editor
key Tab space
shot 02-order-made
key ctrl+w
xdotool windowactivate --sync "$wid"
pid=$(xdotool getwindowpid "$wid")
key alt+F4
wait_gone "$pid"
ls -l "$data/$year"
test -f "$data/$year/${year}001.ppu"
test ! -e /usr/bin/Velorin.ini
test ! -e "/usr/bin/$year"

# Second start, from a shell: open the order, look at the About box.
velorin &
wid=$(main_window)
xdotool windowactivate --sync "$wid"
key ctrl+o
shot 03-open-dialog
key Down Return
shot 04-order-open
xdotool mousemove --window "$wid" 170 8 click 1
sleep 0.4
key Up Return
shot 05-about
key Escape
xdotool windowactivate --sync "$wid"
pid=$(xdotool getwindowpid "$wid")
key alt+F4
wait_gone "$pid"

dpkg -r velorin
test ! -e /usr/bin/velorin
test ! -e /usr/share/applications/velorin.desktop
test -f "$data/$year/${year}001.ppu"
echo "removed; the order stays: $(ls "$data/$year")"
rm -rf "$home"
