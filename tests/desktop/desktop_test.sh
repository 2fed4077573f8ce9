#!/usr/bin/env bash
# Real-desktop test of the window system: the probe program on an Xvfb of its own (and on one
# driven with xdotool, checked through its message log, the X
# server's view of its window and screenshots.
# Keys, caption drags and minimising (with openbox) are not checked here yet.
#   desktop_test.sh <desktop_probe> <output dir>
set -uo pipefail

PROBE=$1
OUT=$2
mkdir -p "$OUT"
rm -f "$OUT"/*.log "$OUT"/*.png "$OUT"/*.raw "$OUT"/*.err

for tool in Xvfb xdotool xwd convert openbox; do
  command -v "$tool" >/dev/null || { echo "missing $tool (see scripts/deps.sh)"; exit 1; }
done

PIDS=()
cleanup() {
  local p
  for p in "${PIDS[@]}"; do kill "$p" 2>/dev/null; done
  for p in "${PIDS[@]}"; do wait "$p" 2>/dev/null; done
}
trap cleanup EXIT

FAILURES=0
check() {  # check <description> <command...>
  local what=$1
  shift
  if "$@"; then echo "ok   $what"; else echo "FAIL $what"; FAILURES=$((FAILURES + 1)); fi
}

# Starts an Xvfb on a free display number; sets DISPLAY.
start_xvfb() {
  local fifo="$OUT/displayfd"
  rm -f "$fifo"
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >"$OUT/xvfb.err" 2>&1 &
  PIDS+=($!)
  local n
  read -r -t 20 n <"$fifo" || { echo "Xvfb did not start"; exit 1; }
  rm -f "$fifo"
  export DISPLAY=":$n"
}

# Waits (up to 20 s) until the file has a line matching the pattern.
wait_for_line() {
  local file=$1 pattern=$2 i
  for ((i = 0; i < 200; ++i)); do
    grep -qE "$pattern" "$file" 2>/dev/null && return 0
    sleep 0.1
  done
  return 1
}

pixel() {  # pixel <png> <x> <y>: #RRGGBB
  convert "$1" -crop "1x1+$2+$3" +repage -depth 8 txt:- | tail -1 | grep -oE '#[0-9A-F]{6}' | head -1
}

window_under() {  # window_under <x> <y>: the window id the pointer is over
  xdotool mousemove "$1" "$2"
  sleep 0.2
  xdotool getmouselocation --shell | sed -n 's/^WINDOW=//p'
}

count() { grep -cE "$2" "$1" || true; }

TITLE='^Tamblo desktop probe$'
DESKTOP='#C828C8'  # the backdrop, 200 40 200
CLIENT='#28A050'   # 40 160 80
SQUARE='#E6C828'   # 230 200 40

# Probe geometry (desktop_probe.cpp): outer 480 x 360; client at (3, 29) in the window.
X0=300
Y0=200

# ------------------------------------------------------------------------------------------
# 1. No display: one line, exit code 1.
env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=x11 "$PROBE" >"$OUT/nodisplay.out" 2>"$OUT/nodisplay.err"
rc=$?
check "without a display the probe exits with 1" test "$rc" -eq 1
check "without a display it says why in one line" test "$(wc -l <"$OUT/nodisplay.err")" -eq 1
cat "$OUT/nodisplay.err"

# ------------------------------------------------------------------------------------------
# 2. Bare Xvfb: shape, painting, clicks, button, idle cost, dragging, closing.
start_xvfb
export SDL_AUDIODRIVER=dummy
"$PROBE" --backdrop C828C8 >"$OUT/backdrop.out" 2>&1 &
PIDS+=($!)
timeout 20 xdotool search --sync --onlyvisible --name '^Probe backdrop$' >/dev/null
sleep 0.5
LOG="$OUT/bare.log"
"$PROBE" --log "$LOG" --at $X0 $Y0 2>"$OUT/bare.err" &
PROBE_PID=$!
PIDS+=($PROBE_PID)
WIN=$(timeout 20 xdotool search --sync --onlyvisible --name "$TITLE" | head -1)
check "the probe window is on the display" test -n "$WIN"
check "the probe painted" wait_for_line "$LOG" ' Paint '
sleep 0.5
check "the window stands where the layer put it" \
  test "$(xdotool getwindowgeometry "$WIN" | sed -n 's/.*Position: \([0-9]*,[0-9]*\).*/\1/p')" = "$X0,$Y0"

xwd -root -silent | convert xwd:- "$OUT/bare.png"
# Inside the shape: the client colour (window 60,220) and the square (window 163,219).
check "client colour inside the shape" test "$(pixel "$OUT/bare.png" $((X0 + 60)) $((Y0 + 220)))" = "$CLIENT"
check "painted square inside the shape" test "$(pixel "$OUT/bare.png" $((X0 + 163)) $((Y0 + 219)))" = "$SQUARE"
check "desktop colour beside the window" test "$(pixel "$OUT/bare.png" $((X0 + 600)) $((Y0 + 100)))" = "$DESKTOP"
# Outside the shape the X server shows the window behind: the backdrop takes the mouse there.
BACKDROP=$(xdotool search --name '^Probe backdrop$' | head -1)
check "top-left corner outside the shape belongs to the desktop" test "$(window_under $((X0 + 20)) $((Y0 + 20)))" = "$BACKDROP"
check "bottom-right corner outside the shape belongs to the desktop" test "$(window_under $((X0 + 460)) $((Y0 + 330)))" = "$BACKDROP"
check "inside the shape belongs to the probe" test "$(window_under $((X0 + 150)) $((Y0 + 200)))" = "$WIN"

# Idle cost: processor time over 10 s (utime + stime, clock ticks).
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
HZ=$(getconf CLK_TCK)
T0=$(cpu_ticks $PROBE_PID)
sleep 10
T1=$(cpu_ticks $PROBE_PID)
IDLE=$(awk -v d=$((T1 - T0)) -v hz="$HZ" 'BEGIN { printf "%.2f", 100 * d / hz / 10 }')
echo "idle cost over 10 s: $((T1 - T0)) ticks of 1/$HZ s = $IDLE % of one processor"
check "idle cost sane (under 5 %)" awk -v p="$IDLE" 'BEGIN { exit !(p < 5) }'
check "timers arrive while idle" test "$(count "$LOG" ' Timer ')" -gt 0

# A click in the client area: client pixels (window 150,200 less the frame 3,29).
xdotool mousemove $((X0 + 150)) $((Y0 + 200)) click 1
check "button down in client pixels" wait_for_line "$LOG" 'LeftButtonDown pt=147,171 '
check "button up in client pixels" wait_for_line "$LOG" 'LeftButtonUp pt=147,171 '

# A click outside the shape reaches nothing of the probe.
BEFORE=$(count "$LOG" 'Button(Down|Up)')
xdotool mousemove $((X0 + 460)) $((Y0 + 330)) click 1
sleep 0.5
check "no message for a click outside the shape" test "$(count "$LOG" 'Button(Down|Up)')" -eq "$BEFORE"

# The push button (client 250,160 - 350,190).
xdotool mousemove $((X0 + 3 + 300)) $((Y0 + 29 + 175)) click 1
check "the button's command" wait_for_line "$LOG" 'Command pt=0,0 item=101 code=0 '

NX=$X0
NY=$Y0
# The close box (window 465,16).
xdotool mousemove $((NX + 465)) $((NY + 16)) click 1
check "close box: system command" wait_for_line "$LOG" 'SysCommand .* code=2 '
check "close message" wait_for_line "$LOG" ' Close '
check "the probe ends by itself" wait_for_line "$LOG" '^exit 0$'
wait $PROBE_PID
check "exit code 0" test $? -eq 0
echo "$FAILURES failure(s)"
test "$FAILURES" -eq 0
