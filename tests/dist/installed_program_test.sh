#!/usr/bin/env bash
# The installed program: --version, --help and a bad option give their statuses, and started
# from an empty folder (pictures from its data folder) it opens its window and ends with
# status 0 on J, pressed by the preloaded stand-in player; --scale 2 doubles its pixels.
# Usage: installed_program_test.sh <destdir> <press-J library>
set -uo pipefail
dest=$(realpath "$1") shim=$(realpath "$2")
program=$dest/usr/bin/morvane
failed=0
fail() { echo "FAILED: $*"; failed=1; }

out=$("$program" --version) || fail "--version: status $?"
[ "$out" = "morvane 1.0.1" ] || fail "--version printed '$out'"
"$program" --help | grep -qF "$dest/usr/share/morvane" || fail "--help does not name the data folder"
"$program" --no-such-option 2>/dev/null; status=$?
[ "$status" -eq 2 ] || fail "a bad option: status $status, not 2"

empty=$(mktemp -d)
trap 'rm -rf "$empty"' EXIT
mkdir -m 700 "$empty/runtime"
# Plain, the window as it always was; with --scale 2, two device pixels per pixel. In a
# sanitizer build the preloaded player comes before the sanitizer's runtime, where leak
# checking cannot work (the shell's tests check the real program for leaks).
for run in "1:" "2:--scale 2"; do
  ratio=${run%%:*} options=${run#*:}
  # shellcheck disable=SC2086 # the options are words
  err=$(cd "$empty" && XDG_RUNTIME_DIR="$empty/runtime" QT_QPA_PLATFORM=offscreen LD_PRELOAD="$shim" \
    ASAN_OPTIONS="${ASAN_OPTIONS:-}:verify_asan_link_order=0:detect_leaks=0" timeout 120 "$program" $options 2>&1)
  status=$?
  [ "$status" -eq 0 ] || fail "from an empty folder ($options): status $status: $err"
  grep -q "press-j: the window is shown at ${ratio}x" <<<"$err" || fail "from an empty folder ($options): $err"
done
[ "$failed" -eq 0 ] || exit 1
echo "the installed program starts, plays from an empty folder and ends on J"
