#!/usr/bin/env bash
# The program on Wayland: under weston's headless compositor, with Qt's Wayland plugin, its
# window's app id is the menu entry's name, the window maps (a picture is attached to its
# surface after the compositor's first configure), and SIGTERM ends it with status 0.
# Every wait is for a line of the protocol log or the socket, with a time limit.
# Usage: wayland_check.sh <program>     (needs weston and qt6-wayland)
set -uo pipefail
program=$(realpath "$1")
APP_ID=io.github.morvane.Morvane

runtime=$(mktemp -d)
chmod 700 "$runtime"
weston_pid= game_pid=
finish() {
  [ -n "$game_pid" ] && kill -KILL "$game_pid" 2>/dev/null
  [ -n "$weston_pid" ] && kill -TERM "$weston_pid" 2>/dev/null && wait "$weston_pid" 2>/dev/null
  rm -rf "$runtime"
}
trap finish EXIT
fail() {
  echo "FAILED: $*"
  [ -f "$runtime/game.log" ] && grep -v '^\[' "$runtime/game.log" | tail -n 20
  exit 1
}
# Polls every tenth of a second until the test holds, for at most $1 seconds.
wait_until() {
  local limit=$1
  shift
  for ((i = 0; i < limit * 10; i++)); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

# The kiosk shell and no on-screen keyboard: weston starts no helper programs of its own.
printf '[core]\nshell=kiosk-shell.so\n[input-method]\npath=\n' >"$runtime/weston.ini"
XDG_RUNTIME_DIR=$runtime weston --config="$runtime/weston.ini" --backend=headless-backend.so --socket=morvane-check --idle-time=0 \
  >"$runtime/weston.log" 2>&1 &
weston_pid=$!
wait_until 30 test -S "$runtime/morvane-check" || fail "weston did not open its socket: $(tail -n 5 "$runtime/weston.log")"

(cd / && XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=morvane-check QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=1 \
  exec "$program") 2>"$runtime/game.log" &
game_pid=$!

# The window's surface: the one the program makes its xdg_surface of.
surface() { sed -nE 's/.*-> xdg_wm_base@[0-9]+\.get_xdg_surface\(new id xdg_surface@[0-9]+, (wl_surface@[0-9]+)\).*/\1/p' \
  "$runtime/game.log" | head -n 1; }
mapped() {
  local s
  s=$(surface)
  [ -n "$s" ] && sed -n '/-> xdg_surface@[0-9]*\.ack_configure/,$p' "$runtime/game.log" |
    grep -qF -- "-> $s.attach(wl_buffer@"
}
alive() { kill -0 "$game_pid" 2>/dev/null || fail "the program ended early"; }
wait_until 60 eval 'alive && grep -q -- "-> xdg_toplevel@[0-9]*\.set_app_id(" "$runtime/game.log"' ||
  fail "no app id was set"
seen=$(sed -nE 's/.*-> xdg_toplevel@[0-9]+\.set_app_id\("([^"]*)"\).*/\1/p' "$runtime/game.log" | head -n 1)
echo "app id: $seen"
[ "$seen" = "$APP_ID" ] || fail "the app id is '$seen', not $APP_ID"
wait_until 60 eval 'alive && mapped' || fail "the window did not map"
echo "the window maps on $(surface)"

kill -TERM "$game_pid"
wait "$game_pid"
status=$?
game_pid=
[ "$status" -eq 0 ] || fail "SIGTERM: status $status"
echo "SIGTERM ends it with status 0"
