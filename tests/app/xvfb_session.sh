# Sourced by the tests that drive the real program: checks for the tools (status 77, skipped,
# where one is missing), makes a work folder, starts a private X server on a free display and
# exports DISPLAY. On exit the program ($app_pid), the server and the folder go. find_window
# waits for a window (xdotool search arguments) and leaves its id in $window.
# Usage: source xvfb_session.sh "NAME OF THE TEST"
for tool in Xvfb xdotool; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "$1 skipped: $tool is not installed"
    exit 77
  fi
done

work=$(mktemp -d)
xvfb_pid=""
app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A display number nobody uses: Xvfb picks it and writes it to a file.
Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
display=""
for _ in $(seq 1 100); do
  display=$(head -1 "$work/display" 2>/dev/null || true)
  [ -n "$display" ] && break
  sleep 0.1
done
[ -n "$display" ] || { echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
export DISPLAY=":$display"
find_window() {
  for _ in $(seq 1 150); do
    window=$(xdotool search "$@" 2>/dev/null | head -1 || true)
    [ -n "$window" ] && return 0
    sleep 0.2
  done
  return 1
}
