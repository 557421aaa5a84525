#!/usr/bin/env bash
# Data safety through nomira-cli on real files, each case in a demo data folder of its own:
#   - two rows of one run that end with the same target: `names` names the conflict, `run` fails
#     the later row and loses neither scan;
#   - a planted journal that names a file outside its run, and a journal in a copied data folder:
#     `undo` refuses and touches nothing;
#   - symbolic links in the image folder: never listed, never moved, never written through;
#   - two runs at once in one data folder: the second is refused before anything moves.
# It needs jq, tiffcp and tiffinfo.
# Every case counts every file (path, kind, link target, content) before and after; the preview
# files the program makes for itself in a data folder's temp folder are left out.
#
# usage: data-safety.sh NOMIRA_CLI NOMIRA_DEMO_DATA
set -uo pipefail

cli_binary=${1:?usage: data-safety.sh NOMIRA_CLI NOMIRA_DEMO_DATA}
demo_binary=${2:?usage: data-safety.sh NOMIRA_CLI NOMIRA_DEMO_DATA}
for tool in jq tiffcp tiffinfo; do
    command -v "$tool" >/dev/null || { echo "data-safety.sh: $tool is needed" >&2; exit 2; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/nomira-data-safety.XXXXXX")
trap 'chmod -R u+rwX "$work" 2>/dev/null; rm -rf "$work"' EXIT
export NOMIRA_REGISTRY=$work/no-registry.ini
failures=0
current=""

fail() {
    echo "FAIL [$current]: $*" >&2
    failures=$((failures + 1))
}
expect_eq() { # what, expected, actual
    [[ "$2" == "$3" ]] || fail "$1: expected '$2', got '$3'"
}
expect_same() { # what, inventory before, inventory after: the lines that differ
    [[ "$2" == "$3" ]] || fail "$1:"$'\n'"$(diff <(echo "$2") <(echo "$3") | grep '^[<>]' |
        head -n 8 | sed 's/^/    /')"
}

# A fresh demo data folder for case $1; sets data, scans, store and list.
fresh() {
    current=$1
    local root=$work/$1
    "$demo_binary" "$root" >/dev/null || { fail "nomira-demo-data failed"; return 1; }
    data=$root/data
    scans=$data/scan
    store=$data/rename
    list=$root/list.csv
    mkdir -p "$root/outside"
}

# Every file and link below the folders (temp folders aside): path, kind, link target, and each
# file's checksum.
inventory() {
    local folder
    for folder in "$@"; do
        find "$folder" -path '*/temp' -prune -o \( -type f -o -type l \) -printf '%p %y %l\n'
        find "$folder" -path '*/temp' -prune -o -type f -exec md5sum {} +
    done | LC_ALL=C sort
}

# nomira-cli --json --data-folder DATA ARGS...; the document in $out, the exit status in $status.
cli() {
    out=$("$cli_binary" --json --data-folder "$data" "$@" 2>/dev/null)
    status=$?
}
state() { # the state options of the demo template with the case's list and images
    printf '%s\n' --template "$data/template/demo.tpl" --list "$list" --images "$scans"
}
# The rename-list CSV (no header; 図面番号 names the file) from lines given as arguments.
write_list() {
    printf '%s\r\n' "$@" >"$list"
}
# The row number that the demo template gives the list row whose 図面名称 is $1.
row_of() {
    local number
    mapfile -t args < <(state)
    cli assign "${args[@]}"
    number=$(jq -r --arg name "$1" '.renameRows[] | select(.cells[1] == $name) | .row' <<<"$out")
    echo "${number:-0}"
}
md5() { md5sum <"$1" | cut -d' ' -f1; }

# Two rows of one run whose targets are one file: `names` lists the conflict and is not ok, the
# run fails the later row and exits 1, and both scans still exist (one as the target).
collision() { # case name, first name, second name (cp932 bytes), the target's name
    fresh "$1" || return
    # Spaces are dropped from names rather than replaced.
    sed -i 's/^REPLACECHAR=[^\r]*/REPLACECHAR=/' "$data/template/demo.tpl"
    write_list "$2,first,1,2008/10/01,," "$3,second,1,2008/10/01,," "OTHER-9,third,1,2008/10/01,,"
    local first second other
    first=$(row_of first)
    second=$(row_of second)
    other=$(row_of third)
    [[ $first != 0 && $second != 0 && $other != 0 ]] || { fail "rows not found"; return; }
    mapfile -t args < <(state)
    local assign=(--assign "$first=scan_0001.tif" --assign "$second=scan_0002.tif"
        --assign "$other=scan_0003.tif")
    local sums=("$(md5 "$scans/scan_0001.tif")" "$(md5 "$scans/scan_0002.tif")")
    local before
    before=$(inventory "$data")

    cli names "${args[@]}" "${assign[@]}"
    expect_eq "names exit status" 1 "$status"
    expect_eq "names ok" false "$(jq -r .ok <<<"$out")"
    expect_eq "conflict count" 1 "$(jq '.conflicts | length' <<<"$out")"
    cli assign "${args[@]}" "${assign[@]}"
    local keys
    keys=$(jq -c '[.assignments[] | select(.fileName == "scan_0001.tif" or
        .fileName == "scan_0002.tif") | .rowKey] | sort' <<<"$out")
    cli names "${args[@]}" "${assign[@]}"
    expect_eq "conflicting row keys" "$keys" "$(jq -c '.conflicts[0].rowKeys // [] | sort' <<<"$out")"
    expect_eq "conflict target" "$(tr '[:upper:]' '[:lower:]' <<<"$store/$4")" \
        "$(jq -r '.conflicts[0].target // "" | ascii_downcase' <<<"$out")"
    expect_same "names touched nothing" "$before" "$(inventory "$data")"

    cli --yes run "${args[@]}" "${assign[@]}" --export-name "$1"
    expect_eq "run exit status" 1 "$status"
    expect_eq "processed" 3 "$(jq .processed <<<"$out")"
    expect_eq "renamed" 2 "$(jq .renamed <<<"$out")"
    expect_eq "one of the pair written" 1 "$(jq '[.results[] | select((.fileName == "scan_0001.tif"
        or .fileName == "scan_0002.tif") and .written)] | length' <<<"$out")"
    local sum present
    present=$(find "$scans" "$store" -type f -exec md5sum {} +)
    for sum in "${sums[@]}"; do
        grep -q "^$sum " <<<"$present" || fail "a scan of the pair is gone"
    done
    expect_eq "files in the storage folder named like the target" 1 \
        "$(find "$store" -maxdepth 1 -iname "$4" | wc -l)"
}

# A journal that names a file outside its run: undo refuses the whole journal, exit 1, and not a
# file changes, neither the run's nor the one outside.
planted_journal() {
    fresh planted-journal || return
    write_list "PLANT-1,a,1,2008/10/01,,"
    mapfile -t args < <(state)
    cli --yes run "${args[@]}" --assign 1=scan_0001.tif --export-name planted
    expect_eq "run exit status" 0 "$status"
    local journal
    journal=$(find "$data/journal" -name journal.txt | head -n1)
    [[ -n $journal ]] || { fail "the run left no journal"; return; }
    local victim=$work/planted-journal/outside/victim.tif
    cp "$scans/scan_0002.tif" "$victim"
    # Announced and confirmed as the run's own new file, with the victim's true size and time.
    local size time
    size=$(stat -c %s "$victim")
    time=$(date -r "$victim" +%s%N)
    printf 'write\t%s\nwritten\t%s\t%s\t%s\n' "$victim" "$victim" "$size" "$time" >"$work/planted"
    sed -i "/^end\t/e cat $work/planted" "$journal"
    grep -q "^written	$victim	" "$journal" || { fail "the journal could not be planted"; return; }
    local before
    before=$(inventory "$data" "$work/planted-journal/outside")

    cli undo
    expect_eq "undo exit status" 1 "$status"
    expect_eq "restored" 0 "$(jq '.restored | length' <<<"$out")"
    expect_same "nothing touched" "$before" "$(inventory "$data" "$work/planted-journal/outside")"
    cli undo "$journal"
    expect_eq "undo of the named journal" 1 "$status"
    expect_same "nothing touched by the named journal" "$before" \
        "$(inventory "$data" "$work/planted-journal/outside")"
}

# A data folder copied with its journals: undo in the copy refuses the original's journal and
# changes neither folder.
copied_journal() {
    fresh copied-journal || return
    write_list "COPY-1,a,1,2008/10/01,,"
    mapfile -t args < <(state)
    cli --yes run "${args[@]}" --assign 1=scan_0001.tif --export-name copied
    expect_eq "run exit status" 0 "$status"
    local original=$data copy=$work/copied-journal/copy
    cp -a "$original" "$copy"
    local before
    before=$(inventory "$original" "$copy")
    data=$copy
    cli undo
    expect_eq "undo in the copy exit status" 1 "$status"
    expect_same "nothing touched" "$before" "$(inventory "$original" "$copy")"
}

# Links in the image folder, to a scan inside, to a file outside, to nothing and to a folder: the
# list holds the regular files only, the links are named once, a run moves the scans and leaves
# every link and everything outside as it was. A scan replaced by a link after it was assigned
# and saved is not moved nor read when the saved work is run.
links() {
    fresh links || return
    local outside=$work/links/outside
    cp "$scans/scan_0004.tif" "$outside/secret.tif"
    ln -s "$scans/scan_0001.tif" "$scans/inside.tif"
    ln -s "$outside/secret.tif" "$scans/outside.tif"
    ln -s "$outside/none.tif" "$scans/dangling.tif"
    ln -s "$outside" "$scans/folder.tif"
    # The warning about the links makes every command that loads the folder exit 1.
    cli scan "$scans"
    expect_eq "scan exit status" 1 "$status"
    expect_eq "listed" "scan_0001.tif scan_0002.tif scan_0003.tif scan_0004.tif scan_0005.tif \
scan_0006.tif" "$(jq -r '[.rows[].fileName] | sort | join(" ")' <<<"$out")"
    expect_eq "told once" 1 "$(jq '[.messages[] | select(.text | contains("ｼﾝﾎﾞﾘｯｸﾘﾝｸ"))] |
        length' <<<"$out")"
    expect_eq "links named" "dangling.tif folder.tif inside.tif outside.tif" "$(jq -r '.messages[]
        | select(.text | contains("ｼﾝﾎﾞﾘｯｸﾘﾝｸ")) | .text | split("\r\n")[1:] | join(" ")' \
        <<<"$out")"

    write_list "LINK-1,a,1,2008/10/01,," "LINK-2,b,1,2008/10/01,," "LINK-3,c,1,2008/10/01,,"
    mapfile -t args < <(state)
    local links_before outside_before
    links_before=$(find "$scans" -type l -printf '%p %l\n' | sort)
    outside_before=$(inventory "$outside")
    cli --yes run "${args[@]}" --assign 1=scan_0001.tif --assign 2=scan_0002.tif \
        --export-name links
    expect_eq "run exit status" 1 "$status"
    expect_eq "renamed" 2 "$(jq .renamed <<<"$out")"
    expect_eq "links after the run" "$links_before" "$(find "$scans" -type l -printf '%p %l\n' |
        sort)"
    expect_same "outside after the run" "$outside_before" "$(inventory "$outside")"
    [[ -L $store/LINK-1.tif || -L $store/LINK-2.tif ]] && fail "a link was moved"

    cli assign "${args[@]}" --assign 3=scan_0003.tif --save "$work/links/job.edd"
    expect_eq "save exit status" 1 "$status"
    [[ -f $work/links/job.edd ]] || fail "the work data was not saved"
    mv "$scans/scan_0003.tif" "$work/links/aside.tif"
    ln -s "$outside/secret.tif" "$scans/scan_0003.tif"
    local before
    before=$(inventory "$scans" "$outside")
    cli --yes run --work "$work/links/job.edd" --export-name replaced
    expect_eq "run of the saved work exit status" 1 "$status"
    expect_same "images and outside after the saved work" "$before" \
        "$(inventory "$scans" "$outside")"
    expect_eq "targets of the saved work" "" "$(find "$store" -name 'LINK-3*')"
}

# Two runs in one data folder at once. The first joins 1200 A2 pages, so that it holds the data
# folder's run lock long enough to be seen there (in /proc/locks, never taken here); it is then
# stopped, and a second run is started: it is refused before anything moves. The first then goes
# on and ends well.
two_runs() {
    fresh two-runs || return
    local root=$work/two-runs i
    mkdir -p "$root/images1" "$root/images2"
    local pages=()
    for ((i = 0; i < 600; i++)); do pages+=("$scans/scan_0004.tif"); done
    if ! tiffcp "${pages[@]}" "$root/images1/big1.tif" ||
        ! cp "$root/images1/big1.tif" "$root/images1/big2.tif"; then
        fail "the pages to join could not be made"
        return
    fi
    mv "$scans/scan_0002.tif" "$root/images2/"
    printf '%s\r\n' "HOLD-1,a,1,2008/10/01,," >"$root/list1.csv"
    printf '%s\r\n' "LATE-1,b,1,2008/10/01,," >"$root/list2.csv"
    local template=$data/template/demo.tpl
    local first=(--template "$template" --list "$root/list1.csv" --images "$root/images1")
    local second=(--template "$template" --list "$root/list2.csv" --images "$root/images2")

    "$cli_binary" --json --yes --data-folder "$data" run "${first[@]}" \
        --assign 1=big1.tif,big2.tif --export-name first >"$root/first.json" 2>/dev/null &
    local held=$! lock=$data/journal/lock inode="" frozen=""
    for ((i = 0; i < 6000; i++)); do
        [[ -z $inode && -f $lock ]] && inode=$(stat -c %i "$lock")
        if [[ -n $inode ]] &&
            grep -Eq "FLOCK +ADVISORY +WRITE +$held +[0-9a-f]+:[0-9a-f]+:$inode " /proc/locks; then
            kill -STOP "$held" && frozen=1
            break
        fi
        kill -0 "$held" 2>/dev/null || break
        sleep 0.002
    done
    if [[ -z $frozen ]]; then
        fail "the first run was never seen holding the run lock ($lock)"
        wait "$held"
        return
    fi
    local before
    before=$(inventory "$root/images2" "$store")
    out=$(timeout 120 "$cli_binary" --json --yes --data-folder "$data" run "${second[@]}" \
        --assign 1=scan_0002.tif --export-name second 2>/dev/null)
    status=$?
    local after
    after=$(inventory "$root/images2" "$store")
    kill -CONT "$held"
    expect_eq "second run exit status" 1 "$status"
    expect_same "second run moved nothing" "$before" "$after"
    jq -e '.messages | length > 0' <<<"$out" >/dev/null || fail "the second run gave no message"

    wait "$held"
    expect_eq "first run exit status" 0 "$?"
    expect_eq "joined pages" 1200 \
        "$(tiffinfo "$store/HOLD-1.tif" 2>/dev/null | grep -c '^TIFF Directory')"
    [[ -f $root/images2/scan_0002.tif ]] || fail "the second run's scan is gone"
}

collision replacement 'A B' 'AB' 'AB.tif'
collision cp932-pair $'DRW-\x87\x54' $'DRW-\xfa\x4a' 'DRW-Ⅰ.tif'
planted_journal
copied_journal
links
two_runs

if ((failures > 0)); then
    echo "data-safety.sh: $failures check(s) failed" >&2
    exit 1
fi
echo "data-safety.sh: all checks passed"
