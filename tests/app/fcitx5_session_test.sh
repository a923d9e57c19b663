#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The program in a private X display and fcitx5 session with Mozc, clicked at
# as a user would: 住所1 switches the input method on, 郵便番号 off.
#   fcitx5_session_test.sh <fumiyose executable>
# Exits 77 (skipped) where fcitx5, Mozc, its Qt 6 plug-in, Xvfb or xdotool
# are missing. Mozc refuses to run as root: as root, the session runs as nobody.
set -uo pipefail
program=$(realpath "${1:?usage: fcitx5_session_test.sh <fumiyose>}")

skip() {
    echo "skipped: $*"
    exit 77
}
for tool in fcitx5 fcitx5-remote Xvfb xdotool dbus-run-session dbus-send; do
    command -v "$tool" >/dev/null || skip "$tool is not installed"
done
[ -n "$(find /usr/lib -path '*fcitx5/fcitx5-mozc.so' -print -quit 2>/dev/null)" ] ||
    skip "fcitx5-mozc is not installed"
[ -n "$(find /usr/lib -path '*qt6/plugins/platforminputcontexts/libfcitx5platforminputcontextplugin.so' \
    -print -quit 2>/dev/null)" ] || skip "fcitx5-frontend-qt6 is not installed"

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
chmod 755 "$home"
run_as=()
if [ "$(id -u)" -eq 0 ]; then
    command -v setpriv >/dev/null || skip "setpriv is not installed"
    # nobody may not reach the build folder: the program runs from a copy,
    # with the files it reads beside it.
    mkdir "$home/program"
    cp "$program" "$(dirname "$program")"/*.dat "$home/program/"
    program=$home/program/$(basename "$program")
    chown -R nobody "$home"
    run_as=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi

# The session, run as the user: a display, fcitx5 with a keyboard and Mozc,
# the program; then the clicks, each followed by fcitx5's state.
session=$(
    cat <<'EOF'
set -u
export XDG_CONFIG_HOME=$HOME/config XDG_STATE_HOME=$HOME/state XDG_DATA_HOME=$HOME/data
export XDG_RUNTIME_DIR=$HOME/run LANG=C.UTF-8
mkdir -p "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME/fcitx5" && chmod 700 "$XDG_RUNTIME_DIR"
printf '%s\n' '[Groups/0]' 'Name=Default' 'Default Layout=jp' 'DefaultIM=mozc' \
    '[Groups/0/Items/0]' 'Name=keyboard-jp' '[Groups/0/Items/1]' 'Name=mozc' \
    '[GroupOrder]' '0=Default' >"$XDG_CONFIG_HOME/fcitx5/profile"
exec 3>"$HOME/display"
Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp >"$HOME/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$HOME/display" ] && break; sleep 0.1; done
export DISPLAY=:$(head -n1 "$HOME/display")
fcitx5 -d --replace >"$HOME/fcitx5.log" 2>&1
# Asking fcitx5-remote before fcitx5 owns its name would start a second one.
for _ in $(seq 100); do
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.fcitx.Fcitx5 2>/dev/null |
        grep -q 'boolean true' && break
    sleep 0.1
done
QT_IM_MODULE=fcitx "$PROGRAM" >"$HOME/program.log" 2>&1 &
program=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name 'ふみよせ' | head -n1)
# The state of fcitx5 once it has settled on `want`, or after 10 s what it is.
state_after_click() {  # x y want
    xdotool mousemove --window "$window" "$1" "$2" click 1
    local state=""
    for _ in $(seq 100); do
        state="$(fcitx5-remote) $(fcitx5-remote -n)"
        [ "$state" = "$3" ] && break
        sleep 0.1
    done
    echo "$state"
}
state_after_click 39 31 "" >/dev/null           # the tab カード編集
echo "住所1: $(state_after_click 259 180 '2 mozc')"
echo "郵便番号: $(state_after_click 132 151 '1 keyboard-jp')"
echo "備考: $(state_after_click 259 228 '2 mozc')"
kill "$program" 2>/dev/null
fcitx5-remote -e 2>/dev/null
kill "$xvfb" 2>/dev/null
wait 2>/dev/null
EOF
)

result=$(HOME="$home" PROGRAM="$program" "${run_as[@]}" dbus-run-session -- bash -c "$session" \
    2>"$home/session.log")
echo "$result"
expected=$'住所1: 2 mozc\n郵便番号: 1 keyboard-jp\n備考: 2 mozc'
if [ "$result" != "$expected" ]; then
    echo "expected:"
    echo "$expected"
    echo "--- session ---"
    tail -n 20 "$home/session.log"
    echo "--- fcitx5 ---"
    tail -n 20 "$home/fcitx5.log" 2>/dev/null
    echo "--- program ---"
    tail -n 20 "$home/program.log" 2>/dev/null
    exit 1
fi
