#!/usr/bin/env bash
# Installs what is missing, builds, and starts vorda in ./demo against recorder-sim, a
# simulated recorder with a few stored blocks on a pseudo-terminal at 230400 baud.
# The simulator stops when vorda ends. Needs a display; without one it falls back to
# xvfb-run when that is installed (the window is then invisible, which is only useful
# for smoke tests).
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"

# wizor beside vorda, for "Wykres".
configure_and_build --target vorda wizor recorder-sim vorda-cli

demo="$ROOT/demo"
link="$demo/ttyREC"
mkdir -p "$demo/Help" "$demo/Config"
cp "$ROOT/recorder/ui/help/instVor3.html" "$demo/Help/"
# The parameter set shipped with the program, offered by the constants editor.
cp "$ROOT/packaging/Config/userparameter1.txt" "$demo/Config/"
# Every port the settings can choose leads to the simulator.
{
  echo "# Written by run-demo.sh: every port leads to recorder-sim."
  for n in 1 2 3 4; do echo "com$n=$link"; done
} > "$demo/ports.conf"

# A first run starts from the shipped parameter set (k1...k16, 0-1000 mV), then four
# channels named and scaled to readable values, and the simulator's sampling
# (100 ms x 500), so a started measurement's bar fits its length.
if [ ! -f "$demo/dimconfig.aoln" ]; then
  (cd "$demo" && "$BUILD/recorder/cli/vorda-cli" params Config/userparameter1.txt > /dev/null)
  (cd "$demo" && "$BUILD/recorder/cli/vorda-cli" config set dimconfig.aoln channelsUsed=4 samplingTimeMs=100 sampleCount=500 \
    'channels[1].name=Temp1' 'channels[1].slopeSB=1.5259' 'channels[1].offsetSC=-20' 'channels[1].numberFormat=2' \
    'channels[2].name=Temp2' 'channels[2].slopeSB=1.5259' 'channels[2].offsetSC=-20' 'channels[2].numberFormat=2' \
    'channels[3].name=Cisnienie' 'channels[3].slopeSB=0.1526' 'channels[3].numberFormat=3' \
    'channels[4].name=Przeplyw' 'channels[4].slopeSB=0.7630' 'channels[4].numberFormat=1')
fi

"$BUILD/simulator/recorder-sim" --link "$link" --model R3 --blocks 3 --samples 500 --channels 4 \
  --period 100 --baud 230400 > "$demo/recorder-sim.out" &
sim_pid=$!
stop_sim() {
  if kill -0 "$sim_pid" 2>/dev/null; then
    kill -TERM "$sim_pid" 2>/dev/null || true
    wait "$sim_pid" 2>/dev/null || true
  fi
}
trap stop_sim EXIT

for _ in $(seq 1 100); do
  [ -e "$link" ] && break
  kill -0 "$sim_pid" 2>/dev/null || { echo "recorder-sim did not start" >&2; exit 1; }
  sleep 0.1
done
[ -e "$link" ] || { echo "recorder-sim made no link at $link" >&2; exit 1; }
echo "recorder-sim: $(head -n1 "$demo/recorder-sim.out") (linked as $link), 3 stored blocks"

cd "$demo"
echo "Starting vorda in $demo: \"Czytanie pamięci\" reads the simulator's blocks."
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  "$BUILD/bin/vorda"
elif command -v xvfb-run >/dev/null 2>&1; then
  echo "No display: running vorda under xvfb-run."
  xvfb-run -a -s "-screen 0 1280x1024x24" "$BUILD/bin/vorda"
else
  echo "No display (DISPLAY is empty) and no xvfb-run: vorda needs a windowed desktop." >&2
  exit 1
fi
