#!/usr/bin/env bash
# Builds Nomira, writes a fresh demo data folder into demo/ and starts the program on it with the
# demo template, the demo scans and the demo rename list.
#
#   scripts/run-demo.sh                          start Nomira on the current display
#   xvfb-run -a -s "-screen 0 1600x1000x24" scripts/run-demo.sh
#                                                the same on a virtual display (no screen needed)
#   scripts/run-demo.sh --screenshot FILE [SECONDS]
#                                                start, wait (default 8 s), save the screen as FILE
#                                                with ImageMagick's import, then end the program
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD

screenshot=
delay=8
case "${1:-}" in
"") ;;
--screenshot)
    screenshot=${2:?"run-demo.sh: --screenshot needs a file name"}
    delay=${3:-8}
    [[ $screenshot == /* ]] || screenshot=$root/$screenshot
    ;;
-h | --help)
    sed -n '2,10s/^# \{0,1\}//p' "$0"
    exit 0
    ;;
*)
    echo "run-demo.sh: unknown option '$1' (try --help)" >&2
    exit 2
    ;;
esac

scripts/setup.sh

rm -rf "$root/demo"
build/nomira-demo-data "$root/demo"
export NOMIRA_REGISTRY=$root/demo/registry.ini

if [[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} ]]; then
    cat >&2 <<'MSG'

run-demo.sh: Nomira is built and the demo data is ready, but there is no display to show it on
(neither DISPLAY nor WAYLAND_DISPLAY is set). Start it on a virtual X display instead:

    xvfb-run -a -s "-screen 0 1600x1000x24" scripts/run-demo.sh

and, to see what it shows, take a screenshot after a few seconds:

    xvfb-run -a -s "-screen 0 1600x1000x24" scripts/run-demo.sh --screenshot demo-shot.png

MSG
    exit 1
fi

args=("/t=demo" "/f=scan" "demo.csv")
if [[ -z $screenshot ]]; then
    exec build/Nomira "${args[@]}"
fi

build/Nomira "${args[@]}" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT
sleep "$delay"
if ! kill -0 "$pid" 2>/dev/null; then
    wait "$pid" || true
    echo "run-demo.sh: Nomira ended before the screenshot was taken" >&2
    exit 1
fi
import -window root "$screenshot"
kill "$pid"
wait "$pid" 2>/dev/null || true
echo "run-demo.sh: screenshot saved as $screenshot"
