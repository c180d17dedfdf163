#!/usr/bin/env bash
# Takes screenshots of the real program on a private X server into docs/:
# the greeting, the main window, the panel, each dialog, a received message
# and its reply, the tray menu and the quick message, framed by a real window
# manager. Needs a build (make build), Xvfb, openbox, trayer, xdotool,
# ImageMagick, and for the message smbclient, faketime and a private network
# namespace (unshare, ip) for the receiver (make screenshots installs them).
#
#   scripts/screenshots.sh [BUILD [FOLDER]]
#
# BUILD is the build folder (build/), FOLDER where the pictures go (docs/).
# With SCREENSHOT_FRAMES=N each picture is taken N times, a tenth of a
# second apart, as NAME-1.png ... NAME-N.png: the main window's glyph
# changes colour four times a second and text cursors blink, and
# scripts/compare-screenshots.sh looks for a frame two builds share.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
mkdir -p "${2:-$root/docs}"
out=$(cd "${2:-$root/docs}" && pwd)
frames=${SCREENSHOT_FRAMES:-1}
work=$(mktemp -d)
pids=()
cleanup() {
    # The X server last, once nothing is left talking to it.
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null || true
        wait "${pids[i]}" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT

for display in $(seq 140 199); do
    [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ] || break
done
export DISPLAY=:$display
Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
# "¿" on a key of its own before the program starts: xdotool otherwise
# binds it to a spare key just for the stroke and takes it back at once,
# and a program that reads the new key map too late loses the character.
python3 - <<'PY'
import ctypes
x = ctypes.cdll.LoadLibrary("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XDisplayKeycodes.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_int)]
x.XGetKeyboardMapping.argtypes = [ctypes.c_void_p, ctypes.c_ubyte, ctypes.c_int, ctypes.POINTER(ctypes.c_int)]
x.XGetKeyboardMapping.restype = ctypes.POINTER(ctypes.c_ulong)
x.XChangeKeyboardMapping.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.POINTER(ctypes.c_ulong), ctypes.c_int]
x.XCloseDisplay.argtypes = [ctypes.c_void_p]
display = x.XOpenDisplay(None)
low, high, per = ctypes.c_int(), ctypes.c_int(), ctypes.c_int()
x.XDisplayKeycodes(display, ctypes.byref(low), ctypes.byref(high))
count = high.value - low.value + 1
syms = x.XGetKeyboardMapping(display, low.value, count, ctypes.byref(per))
spare = next(k for k in range(count - 1, -1, -1) if not any(syms[k * per.value + i] for i in range(per.value)))
x.XChangeKeyboardMapping(display, low.value + spare, 1, (ctypes.c_ulong * 1)(0xBF), 1)  # questiondown
x.XCloseDisplay(display)
PY
# openbox draws the title bars and frames a user sees.
openbox --sm-disable >/dev/null 2>&1 &
pids+=($!)
trayer --edge bottom --align right --widthtype pixel --width 60 --heighttype pixel --height 24 \
    --SetPartialStrut true >/dev/null 2>&1 &
pids+=($!)

wait_for() { # window name (regex) -> window id
    for _ in $(seq 300); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1)
        [ -n "$id" ] && { echo "$id"; return; }
        sleep 0.1
    done
    echo "no window named '$1'" >&2
    exit 1
}
capture() { # name, then import's options
    local name=$1
    shift
    if [ "$frames" -eq 1 ]; then
        import "$@" "$out/$name.png"
    else
        for k in $(seq "$frames"); do
            import "$@" "$out/$name-$k.png"
            sleep 0.1
        done
    fi
    echo "${out#"$root"/}/$name.png"
}
shot() { # name [window id]: the whole screen, or just that window with its frame
    sleep 0.4
    if [ $# -eq 2 ]; then
        capture "$1" -window "$2" -frame
    else
        capture "$1" -window root
    fi
}
newest_of() { # pid -> the most recently mapped visible window
    xdotool search --onlyvisible --pid "$1" 2>/dev/null | tail -1
}

crlf() { sed 's/$/\r/'; }
{
    printf '%s\n' '[GENERAL]' 'Ana' 'ana' '1' 'Arial' '0' '0' ' 10' '0' '0' ' 0' ' 16777215' '[USUARIOS]'
    printf '%s\n' Pepe pepe Juan juan Luis luis 'Núria' nuria
    for _ in $(seq 8); do printf '%s\n' ... ...; done
    printf '%s\n' '[GRUPOS]' Todos 'pepe, juan, luis, nuria' Oficina 'pepe, juan'
    for _ in $(seq 10); do printf '%s\n' ... ...; done
} | crlf | iconv -f UTF-8 -t WINDOWS-1252 >"$work/brisquel.ini"

mkdir -p "$out"
# A copy of the program with a stand-in `net` beside it: whatever the
# pictures' clicks send stays on this machine.
mkdir -p "$work/bin"
cp "$build/brisquel" "$work/bin/"
printf '#!/bin/sh\nexit 0\n' >"$work/bin/net"
chmod +x "$work/bin/net"
cd "$work"
# The receiver comes later, on this socket; until then the program quietly
# waits for it.
export BRISQUEL_RECEIVER_SOCKET=$work/receiver.sock
"$work/bin/brisquel" >/dev/null 2>&1 &
program=$!
pids+=($program)

greeting=$(wait_for '^Brisquel v2.4b rev 10$')
shot greeting
xdotool key --window "$greeting" alt+s
main=$(wait_for '^Brisquel v2.4b$')
sleep 0.5 # typed at once: the window opens with the focus in its message box
xdotool type --delay 20 '¿Comemos juntos a la una?'
shot main "$main"

xdotool key alt+c
sleep 0.6
xdotool key alt+m
shot panel "$main"

xdotool key alt+n
sleep 0.5
shot sender "$(newest_of "$program")"
xdotool key Escape

xdotool mousemove --window "$main" 325 120 click 1 # closes the panel
sleep 0.6
xdotool key alt+o
sleep 0.5
xdotool type --delay 20 'pepe, juan'
shot recipient "$(newest_of "$program")"
xdotool key Escape

xdotool mousemove --window "$main" 330 174 click 1 # "Acerca de..."
about=$(wait_for '^Brisquel v2.4b rev 10$')
shot about "$about"
xdotool key Return

# A message from another machine: the real receiver, on loopback in a
# network of its own, gets it from smbclient and hands it to the program
# through its socket, which the program, outside that network, reaches as a
# file. No account is Samba's guest, so the program counts as a desktop
# even where the namespace maps its user to nobody. The receiver's clock is
# stopped at a time of our choosing (faketime; its timers keep the real
# clock), so the time the message came, which the window shows, is the
# same in every run.
mkdir -p "$work/spool"
printf '[global]\n   guest account = brisquel-screenshots-none\n' >"$work/smb.conf"
printf '%s\n' '[global]' '   netbios name = PEPE-PC' '   listen = 127.0.0.1' "   spool = $work/spool" \
    "   socket = $work/receiver.sock" "   samba config = $work/smb.conf" >"$work/receiver.conf"
# shellcheck disable=SC2016 # expanded by the shell inside the namespace
"$root/tests/support/in-private-network.sh" sh -c '
    FAKETIME_DONT_FAKE_MONOTONIC=1 faketime -f "2026-12-07 13:05:00" "$0" --config "$1" --foreground 2>/dev/null &
    faker=$!
    # faketime runs the receiver as its child and passes no signal on.
    trap "pkill -P $faker; kill $faker" TERM
    for _ in $(seq 50); do [ -S "$2" ] && break; sleep 0.1; done
    printf "%s" "¿Comemos juntos? Hoy hay paella en el bar de abajo." |
        smbclient -s "$3" -M PEPE-PC -I 127.0.0.1 -p 139 -U ANA -N >/dev/null 2>&1
    wait' "$build/brisquel-receiver" "$work/receiver.conf" "$work/receiver.sock" "$work/smb.conf" &
pids+=($!)
received=$(wait_for '^Mensaje de ANA$')
shot received "$received"
xdotool windowactivate --sync "$received"
xdotool key alt+r
sleep 0.5
xdotool type --delay 20 'Vale, a la una y media'
shot reply "$(newest_of "$program")"
xdotool key Escape
sleep 0.3
xdotool windowactivate --sync "$received"
xdotool key Escape

xdotool windowminimize "$main"
sleep 1
icon=$(xdotool search --onlyvisible --pid "$program" | while read -r w; do
    eval "$(xdotool getwindowgeometry --shell "$w")"
    [ "$WIDTH" -le 32 ] && echo "$w"
done | head -1)
eval "$(xdotool getwindowgeometry --shell "$icon")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 3
sleep 0.5
capture traymenu -window root -crop 260x130+764+638 +repage
xdotool key m
sleep 0.6
xdotool type --delay 20 'Llego en cinco minutos'
capture quick -window root -crop 440x120+584+648 +repage
xdotool key alt+c
sleep 0.3
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 3
sleep 0.4
xdotool key s # "&Salir": the program ends without saving
wait "$program" || true
