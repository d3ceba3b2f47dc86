#!/usr/bin/env bash
# Two starts of plantrek with different sites under a private X server: the second hands its
# site to the first and ends with status 0, leaving one program with both sites in child
# windows. Closing the children one by one shows there were exactly those two. Skipped (status
# 77) where Xvfb or xdotool is missing.
set -euo pipefail
program=$1
source "$(dirname "${BASH_SOURCE[0]}")/xvfb_session.sh" "single instance test"

for name in first second; do
  printf '%s\n' '<?xml version="1.0" encoding="UTF-16"?>' "<tcdisto name=\"$name.tcd\" version=\"1.1\">" \
    $'\t<site index="0" name="Site">' $'\t\t<startpoint x="0.000000" y="0.000000"/>' $'\t</site>' \
    '</tcdisto>' | iconv -f UTF-8 -t UTF-16 >"$work/$name.tcd"
done
mkdir -m 700 "$work/runtime"
export HOME="$work" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" \
  XDG_RUNTIME_DIR="$work/runtime" PLANTREK_NO_METER=1
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0:strict_string_checks=0"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

# The main window's title names the active site, or nothing when no site is open. A maximised
# site whose window buttons sit in the menu bar is named in brackets ("Plantrek - [first.tcd]").
wait_title() { find_window --name "$1" || { echo "no window titled $1"; cat "$work/first.log"; exit 1; }; }

cd "$work"
"$program" first.tcd >"$work/first.log" 2>&1 &
app_pid=$!
wait_title '^Plantrek - \[?first\.tcd\]?$'

# A relative name: the running program must open it from the folder of the second start.
status=0
timeout 60 "$program" second.tcd >"$work/second.log" 2>&1 || status=$?
[ "$status" -eq 0 ] || { echo "the second start ended with status $status"; cat "$work/second.log"; exit 1; }
wait_title '^Plantrek - \[?second\.tcd\]?$'
kill -0 "$app_pid" || { echo "the first program is gone"; exit 1; }

# Close the active child through File > Close; the other site comes forward, then none is left.
close_active() {
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  xdotool key --window "$window" alt+f
  sleep 0.5
  xdotool key c
}
sleep 0.5
close_active
wait_title '^Plantrek - \[?first\.tcd\]?$'
close_active
wait_title '^Plantrek$'
echo "single instance test passed"
