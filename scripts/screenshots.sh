#!/usr/bin/env bash
# Retakes the screenshots of the run journal's boxes on the demo data, under a window manager:
#   undo.png    the demo run of six scans undone from the "ﾂｰﾙ" menu; the box "情報" names the
#               rows file
#   settle.png  a run cut off after two of its four rows, settled at the next start
#
#   scripts/screenshots.sh            build what is needed, retake both into docs/screenshots
#   scripts/screenshots.sh FOLDER     the same into FOLDER
#
# Runs itself on a virtual X display (xvfb-run) with openbox, drives the program with xdotool and
# saves the screen with ImageMagick's import; scripts/setup.sh installs all of them. The widget
# tests save their own screenshots: NOMIRA_SCREENSHOTS=FOLDER QT_QPA_PLATFORM=xcb on a test.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$PWD
build=$root/build

case "${1:-}" in
-h | --help)
    sed -n '2,12s/^# \{0,1\}//p' "$0"
    exit 0
    ;;
esac
out=${1:-docs/screenshots}
[[ $out == /* ]] || out=$root/$out

if [[ -z ${NOMIRA_SCREENSHOTS_DISPLAY:-} ]]; then
    [[ -d $build ]] || scripts/setup.sh --no-build
    [[ -f $build/build.ninja || -f $build/Makefile ]] ||
        cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build "$build" --target Nomira nomira-cli nomira-demo-data
    mkdir -p "$out"
    exec env NOMIRA_SCREENSHOTS_DISPLAY=1 xvfb-run -a -s "-screen 0 1600x1000x24" "$0" "$out"
fi

work=$(mktemp -d)
openbox >/dev/null 2>&1 &
wm=$!
nomira=
finish() {
    [[ -z $nomira ]] || kill "$nomira" 2>/dev/null || true
    kill "$wm" 2>/dev/null || true
    rm -rf "$work"
}
trap finish EXIT
sleep 1

# Waits (at most 30 s) for a visible window whose title is exactly $1.
await() {
    timeout 30 xdotool search --sync --onlyvisible --name "^$1\$" >/dev/null
    sleep 1
}

# A fresh demo data folder in $1, with its registry store in force.
demo() {
    "$build/nomira-demo-data" "$1" >/dev/null 2>&1
    export NOMIRA_REGISTRY=$1/registry.ini
}

# nomira-cli run on the demo folder $1 with the further arguments.
demo_run() {
    local data=$1/data
    shift
    (cd "$data" && "$build/nomira-cli" --data-folder "$data" --yes run --template template/demo.tpl \
        --list csv/demo.csv --images scan "$@" >/dev/null) || true
}

# Starts Nomira in the data folder $1 with the further arguments.
start() {
    local data=$1
    shift
    (cd "$data" && exec "$build/Nomira" "$@" >/dev/null 2>&1) &
    nomira=$!
    timeout 30 xdotool search --sync --onlyvisible --pid "$nomira" >/dev/null
    sleep 4
}

stop() {
    kill "$nomira" 2>/dev/null || true
    wait "$nomira" 2>/dev/null || true
    nomira=
}

# The run is undone in a window whose rename list is empty: the rows go back into it.
shoot_undo() {
    local d=$work/undo
    demo "$d"
    demo_run "$d" --batch-assign
    start "$d/data" /t=demo /f=scan
    xdotool key alt+t
    sleep 1
    xdotool key Up # the last item: 元に戻す(直前の実行)
    sleep 1
    xdotool key Return
    await 確認
    xdotool key Return # はい
    await 情報
    import -window root "$out/undo.png"
    stop
}

# The journal of the last run is cut before the move of scan_0003.tif, and the disk put back as
# it was then: the run stopped after two of its four rows, before the export file.
shoot_settle() {
    local d=$work/settle
    demo "$d"
    demo_run "$d" --assign 1=scan_0001.tif --assign 2=scan_0002.tif --assign 3=scan_0003.tif \
        --assign 4=scan_0004.tif
    local journal cut kind a b rest
    journal=$(find "$d/data/journal" -name journal.txt | sort | tail -n 1)
    cut=$(grep -n -m 1 $'^move\t.*/scan_0003\\.tif\t' "$journal" | cut -d: -f1)
    while IFS=$'\t' read -r kind a b rest; do
        case $kind in
        move) [[ ! -e $b ]] || mv "$b" "$a" ;;
        write) [[ ! -e $a ]] || rm "$a" ;;
        esac
    done < <(tail -n +"$cut" "$journal")
    head -n $((cut - 1)) "$journal" >"$journal.cut"
    mv "$journal.cut" "$journal"
    start "$d/data"
    await 確認
    xdotool key alt+n # いいえ: settle what was done
    sleep 2
    await 確認
    import -window root "$out/settle.png"
    stop
}

shoot_undo
shoot_settle
echo "screenshots.sh: undo.png and settle.png saved in $out"
