#!/usr/bin/env bash
# The viewer beside a plain serial terminal on the same stream, side by side in one run: for each
# rate, three sensor simulators stream at once, one into the Release viewer (bench_viewer's
# BM_ViewerStream on a virtual X display), one into cutecom (Debian's Qt serial terminal, on a
# display of its own, with bench/terminal-shim.c preloaded) and one into `cat` (the floor). Reports
# each one's share of a core over the same seconds, the lines each took in (the viewer's logged
# and plotted, counted by the benchmark; cutecom's from its log file; cat's from its output) and
# the viewer's receive events and context switches per second.
#
# usage: bench/viewer-vs-terminal.sh [SECONDS] [RATES...]   (default 20 s; 2100 and 200 lines/s)
#        SHOT=file.png takes a picture of cutecom's display at the end of each run.
# Installs cutecom when it is missing (Debian, as root); the program itself never needs it.
set -euo pipefail
source "$(dirname "$0")/../scripts/common.sh"
SECONDS_PER_RUN="${1:-20}"
shift || true
RATES=("$@")
[[ ${#RATES[@]} -gt 0 ]] || RATES=(2100 200)

BUILD="${BUILD:-$ROOT/build/bench-release}"  # another Release build with benchmarks will do
configure "$BUILD" -DCMAKE_BUILD_TYPE=Release -DTV_TESTS=OFF -DTV_BENCH=ON
cmake --build "$BUILD" -j "$JOBS" --target bench_viewer sensorsim >/dev/null
command -v cutecom >/dev/null || apt-get install -y cutecom >/dev/null
cc -shared -fPIC -O2 "$ROOT/bench/terminal-shim.c" -o "$BUILD/terminal-shim.so" -ldl

WORK="$(mktemp -d /tmp/tv-viewer-vs-terminal.XXXXXX)"
started=()
finish() {
  local pid
  for pid in "${started[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${started[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$WORK"
}
trap finish EXIT

# display VAR: starts a virtual X server on a free number and puts the number into VAR.
display() {
  local n=90
  while [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  started+=($!)
  for _ in $(seq 100); do [[ -e /tmp/.X11-unix/X$n ]] && break; sleep 0.1; done
  printf -v "$1" '%s' "$n"
}

# simulator VAR COM RATE HOME: streams on a pseudo-terminal of its own; its path goes into VAR.
simulator() {
  mkdir -p "$4"
  XDG_CONFIG_HOME="$4" "$BUILD/tools/sensorsim" --com "$2" --rate "$3" --stream >"$4/sim.log" 2>&1 &
  started+=($!)
  for _ in $(seq 50); do [[ -s "$4/sim.log" ]] && break; sleep 0.1; done
  printf -v "$1" '%s' "$(cut -d' ' -f1 "$4/sim.log" | head -n1)"
}

# count FILE CHAR: how many CHAR bytes the file holds (0 while it does not exist).
count() { if [[ -e "$1" ]]; then tr -cd "$2" <"$1" | wc -c; else echo 0; fi; }

# Processor ticks (user + system) of a process and all its threads so far.
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
HZ="$(getconf CLK_TCK)"

printf '%-6s %-30s %-30s %-22s %s\n' rate "viewer (share, lines, events/s)" "cutecom (share, lines)" "cat (share, lines)" "viewer/cutecom"
for rate in "${RATES[@]}"; do
  run="$WORK/$rate"
  mkdir -p "$run"
  # cutecom on its own display and simulator, its log written to its default file in its home.
  display cdisp
  simulator cdev COM8 "$rate" "$run/cutecom-sim"
  mkdir -p "$run/cutecom/.config/CuteCom"
  cat >"$run/cutecom/.config/CuteCom/CuteCom5.conf" <<EOF
[CuteCom]
session=bench

[sessions]
1\\BaudRate=256000
1\\DataBits=8
1\\Device=$cdev
1\\FlowControl=0
1\\OpenMode=1
1\\Parity=0
1\\StopBits=1
1\\autoReconnect=false
1\\name=bench
1\\showCtrlCharacters=false
1\\showTimestamp=false
size=1
EOF
  HOME="$run/cutecom" XDG_CONFIG_HOME="$run/cutecom/.config" DISPLAY=":$cdisp" QT_QPA_PLATFORM=xcb \
    LD_PRELOAD="$BUILD/terminal-shim.so" cutecom -s bench >"$run/cutecom.out" 2>&1 &
  cutecom=$!
  started+=("$cutecom")
  DISPLAY=":$cdisp" timeout 30 xdotool search --sync --onlyvisible --name 'CuteCom' >/dev/null
  sleep 1
  # "Logging to" on, then Open (the window sits at the top left of its display).
  DISPLAY=":$cdisp" xdotool mousemove 206 640 click 1
  sleep 0.3
  DISPLAY=":$cdisp" xdotool mousemove 50 43 click 1

  # cat of a third simulator's pseudo-terminal, raw.
  simulator tdev COM9 "$rate" "$run/cat-sim"
  stty -F "$tdev" raw -echo
  cat "$tdev" >"$run/cat.out" &
  catpid=$!
  started+=("$catpid")

  # The viewer: the benchmark runs SECONDS_PER_RUN seconds after about 2 s of set-up.
  display vdisp
  DISPLAY=":$vdisp" QT_QPA_PLATFORM=xcb BENCH_VIEWER_SECONDS="$SECONDS_PER_RUN" \
    "$BUILD/bench/bench_viewer" --benchmark_filter="BM_ViewerStream/$rate/" --benchmark_format=json \
    >"$run/viewer.json" 2>"$run/viewer.err" &
  viewer=$!
  started+=("$viewer")
  sleep 3
  # The simulator ends its lines with CR; the shim makes them LF for cutecom.
  c0="$(ticks "$cutecom")"; t0="$(ticks "$catpid")"; l0="$(count "$run/cat.out" '\r')"
  m0="$(count "$run/cutecom/cutecom.log" '\n')"
  start=$(date +%s.%N)
  wait "$viewer" || true
  end=$(date +%s.%N)
  c1="$(ticks "$cutecom")"; t1="$(ticks "$catpid")"; l1="$(count "$run/cat.out" '\r')"
  m1="$(count "$run/cutecom/cutecom.log" '\n')"
  [[ -z "${SHOT:-}" ]] || DISPLAY=":$cdisp" import -window root "$SHOT" 2>/dev/null || true
  python3 - "$run/viewer.json" "$start" "$end" "$HZ" "$c0" "$c1" "$t0" "$t1" "$l0" "$l1" "$m0" "$m1" "$rate" <<'PY'
import json, sys
path, start, end, hz, c0, c1, t0, t1, l0, l1, m0, m1, rate = sys.argv[1:]
seconds = float(end) - float(start)
b = [x for x in json.load(open(path))["benchmarks"] if x["name"].startswith("BM_ViewerStream")][0]
cutecom = (int(c1) - int(c0)) / int(hz) / seconds
cat = (int(t1) - int(t0)) / int(hz) / seconds
viewer = b["cpu_share"]
print(f"{rate:<6} {viewer:.3f}, {b['lines_per_s']:.0f}/s, {b['events_per_s']:.0f} ev/s      "
      f"{cutecom:.3f}, {(int(m1) - int(m0)) / seconds:.0f}/s              "
      f"{cat:.3f}, {(int(l1) - int(l0)) / seconds:.0f}/s       {viewer / cutecom if cutecom else float('nan'):.2f}")
nan = float("nan")
print(f"       viewer: {b.get('switches_per_s', nan):.0f} context switches/s, {b['paints_per_s']:.1f} paints/s, "
      f"lost {b['lines_wrong_or_lost']:.0f}, not plotted {b.get('lines_not_plotted', nan):.0f}")
PY
  for pid in "$cutecom" "$catpid"; do kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; done
done
