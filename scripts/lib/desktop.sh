# Sourced by the screenshot scripts: a display with a window manager, and files as the program keeps them.

# Xvfb and openbox on display $1 (":15"), both ended when the script exits; the script's scratch folder
# $work, when it has one, is removed then too.
start_desktop() {
    Xvfb "$1" -screen 0 1280x1024x24 >/dev/null 2>&1 &
    desktop_xvfb=$!
    trap 'kill ${desktop_wm:-} $desktop_xvfb 2>/dev/null || true; rm -rf "${work:-}"' EXIT
    sleep 1
    DISPLAY=$1 openbox >/dev/null 2>&1 &
    desktop_wm=$!
}

# UTF-8 text to Windows-1250 with CR LF.
cp1250() { sed 's/$/\r/' | iconv -f UTF-8 -t WINDOWS-1250; }
