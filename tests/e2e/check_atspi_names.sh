#!/bin/sh
# What a screen reader hears from the real program: it runs on a private X
# display with a session bus and the accessibility bus of its own, and the
# AT-SPI tree of its main window is read with pyatspi, as Orca reads it.
# Skipped (77) where the display or the buses cannot be had.
#
#   check_atspi_names.sh PROGRAM WINDOW_MANAGER
set -u
program=$1
window_manager=$2
skip() { echo "skipped: $*" >&2; exit 77; }
for tool in xvfb-run dbus-run-session xdotool; do
    command -v $tool >/dev/null 2>&1 || skip "$tool is missing"
done
# Debian's own Python, which python3-pyatspi is installed for.
python=/usr/bin/python3
"$python" -c 'import pyatspi' 2>/dev/null || skip "python3-pyatspi is missing"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
{
    printf '[GENERAL]\r\nana\r\nana\r\n1\r\nLiberation Sans\r\n0\r\n0\r\n 10\r\n0\r\n0\r\n 0\r\n 16777215\r\n'
    printf '[USUARIOS]\r\nPepe\r\npepe\r\n'
    i=1; while [ $i -lt 12 ]; do printf '...\r\n...\r\n'; i=$((i + 1)); done
    printf '[GRUPOS]\r\nTodos\r\npepe, juan\r\n'
    i=1; while [ $i -lt 12 ]; do printf '...\r\n...\r\n'; i=$((i + 1)); done
} >"$work/brisquel.ini"

cat >"$work/session.sh" <<'SESSION'
#!/bin/sh
# Inside the private display and session bus: start the accessibility bus,
# then the program, answer its greeting, and print the tree.
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null 2>&1 ||
    { echo "no accessibility bus" >&2; exit 77; }
"$2" & wm=$!
QT_ACCESSIBILITY=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb "$1" & app=$!
for _ in $(seq 50); do
    xdotool search --name 'Brisquel v2.4b rev' >/dev/null 2>&1 && break
    sleep 0.2
done
# A key pressed before the greeting has the focus is lost: press again
# until the main window shows.
for _ in $(seq 25); do
    greeting=$(xdotool search --name 'Brisquel v2.4b rev' 2>/dev/null | head -n 1)
    [ -n "$greeting" ] && xdotool windowfocus --sync "$greeting" key s >/dev/null 2>&1
    sleep 0.4
    xdotool search --onlyvisible --name '^Brisquel v2.4b' >/dev/null 2>&1 &&
        ! xdotool search --onlyvisible --name 'Brisquel v2.4b rev' >/dev/null 2>&1 && break
done
sleep 1
"$3" - <<'PY'
import pyatspi
def walk(acc, depth):
    print(f"{acc.getRoleName()}\t{acc.name}\t{acc.description}")
    for i in range(acc.childCount):
        walk(acc.getChildAtIndex(i), depth + 1)
desk = pyatspi.Registry.getDesktop(0)
for i in range(desk.childCount):
    a = desk.getChildAtIndex(i)
    if a is not None and a.name == "brisquel":
        for j in range(a.childCount):
            walk(a.getChildAtIndex(j), 1)
PY
kill $app $wm 2>/dev/null
SESSION
chmod 755 "$work/session.sh"

cd "$work" || exit 1
NO_AT_BRIDGE= timeout 60 xvfb-run -a dbus-run-session -- ./session.sh "$program" "$window_manager" "$python" >"$work/tree" 2>"$work/errors"
status=$?
[ $status -eq 77 ] && skip "$(cat "$work/errors")"
cat "$work/tree"

failed=0
expect() {
    grep -q "$1" "$work/tree" || { echo "FAIL: not heard: $2"; failed=1; }
}
refuse() {
    if grep -q "$1" "$work/tree"; then echo "FAIL: heard: $2"; failed=1; fi
}
[ -s "$work/tree" ] || { echo "FAIL: no accessibility tree (exit $status)"; cat "$work/errors"; exit 1; }
expect "^text	Mensaje	." "the message box's text field by its name, with a description"
expect "^scroll bar	Mensajes enviados	." "the history bar"
expect "^push button	Pepe, usuario pepe	Pulsa el botón para enviar el mensaje a Pepe" "a user's button"
expect "^push button	Hueco 2 vacío	." "an empty slot"
expect "^combo box	Mensajes grabados	." "the saved-messages combo box"
refuse "^push button	\.\.\.	" "a button named ..."
refuse "	Combo1	" "a combo box named Combo1"
refuse "^\(text\|scroll bar\|push button\|combo box\|check box\)		" "a control without a name"
exit $failed
