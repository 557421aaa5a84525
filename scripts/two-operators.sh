#!/usr/bin/env bash
# Two operators of one group share a data folder, each with Debian's default umask 022, as a
# small drawing office does; a third user is outside the group. Uses the programs and the
# postinst of the nomira package, unpacked:
#   the first operator saves settings and work data, the second saves settings and saves over
#   the first one's work data; the first runs, the second undoes that run; both write the
#   agent's definition; the user outside the group cannot read the data folder.
#
#   scripts/two-operators.sh [DIR]   the packages in DIR (default build/), as made by
#                                    scripts/package.sh
#
# Needs root (it makes the users and the group for the test and removes them afterwards); says
# that it skipped otherwise. Exits non-zero when a step fails.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

if [[ ${1:-} == -h || ${1:-} == --help ]]; then
    sed -n '2,13s/^# \{0,1\}//p' "$0"
    exit 0
fi
debs=$(realpath "${1:-build}")
if [[ $(id -u) -ne 0 ]] || ! command -v useradd >/dev/null || ! command -v runuser >/dev/null; then
    echo "two-operators: SKIPPED (making users for the test needs root, useradd and runuser)"
    exit 0
fi
deb=("$debs"/nomira_*.deb)
[[ -f ${deb[0]} ]] || {
    echo "two-operators: no nomira_*.deb in $debs" >&2
    exit 1
}

tag=$$
group=nomtest$tag
users=(nomop1$tag nomop2$tag nomout$tag)
work=$(mktemp -d)
cleanup() {
    for user in "${users[@]}"; do
        userdel "$user" 2>/dev/null || true
    done
    groupdel "$group" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
chmod 755 "$work"
groupadd "$group"
useradd -M -N -g users -G "$group" -s /bin/sh -d "$work" "${users[0]}"
useradd -M -N -g users -G "$group" -s /bin/sh -d "$work" "${users[1]}"
useradd -M -N -g users -s /bin/sh -d "$work" "${users[2]}"
op1=${users[0]} op2=${users[1]} outsider=${users[2]}

root=$work/root
dpkg-deb -x "${deb[0]}" "$root"
dpkg-deb -e "${deb[0]}" "$work/control"
cli=$root/usr/bin/nomira-cli
status=0
fail() {
    echo "two-operators: $*" >&2
    status=1
}

# The administrator's part: the demo data as the office's data, handed to the group, then the
# package's postinst for the rest of the data folder (its group and folder as for the test).
site=$work/site
data=$site/data
"$root/usr/bin/nomira-demo-data" "$site" >/dev/null
rm "$data/Nomira.ini"
chgrp -R "$group" "$data"
find "$data" -type d -exec chmod 2775 {} +
find "$data" -type f -exec chmod 0664 {} +
chmod 2770 "$data"
sed -e "s|^data=.*|data=$data|" -e "s|^group=.*|group=$group|" "$work/control/postinst" >"$work/postinst"
sh "$work/postinst" configure ""
chmod 644 "$site/registry.ini"

# One program of the package as a user, umask 022, from a neutral folder.
as() {
    local user=$1
    shift
    (cd / && runuser -u "$user" -- env NOMIRA_REGISTRY="$site/registry.ini" \
        sh -c 'umask 022; exec "$@"' sh "$@")
}
step() {
    local what=$1
    shift
    if "$@" >"$work/out" 2>&1; then
        echo "   ok: $what"
    else
        fail "$what ended with $?: $(head -c 600 "$work/out")"
    fi
}
expect() {
    local what=$1 path=$2 want=$3 got
    got=$(stat -c '%a %U %G' "$path" 2>/dev/null || echo missing)
    [[ $got == "$want" ]] && echo "   ok: $what is $got" || fail "$what is '$got', not '$want'"
}

echo "== two operators in group $group, umask 022"
step "$op1 reads the settings (writing their defaults)" as "$op1" "$cli" --json settings
expect "Nomira.ini" "$data/Nomira.ini" "664 $op1 $group"
sed -i '/^TargetExt=/d' "$data/Nomira.ini"
step "$op2 saves the settings made by $op1" as "$op2" "$cli" --json settings
expect "Nomira.ini" "$data/Nomira.ini" "664 $op2 $group"
grep -q '^TargetExt=' "$data/Nomira.ini" || fail "the settings of $op2 were not saved"

state=(--template "$data/template/demo.tpl" --list "$data/csv/demo.csv" --images "$data/scan")
edd=$data/editdata/shared.edd
step "$op1 saves work data" as "$op1" "$cli" --json --yes assign "${state[@]}" --batch-assign \
    --save "$edd"
expect "the work data" "$edd" "664 $op1 $group"
step "$op2 saves over it" as "$op2" "$cli" --json --yes assign --work "$edd" \
    --release scan_0001.tif --save "$edd"
expect "the work data" "$edd" "664 $op2 $group"
grep -q 'scan_0001.tif' "$edd" && fail "the work data of $op2 was not saved"

scans=$(cd "$data/scan" && ls | sort)
step "$op1 runs" as "$op1" "$cli" --json --yes run --work "$edd"
[[ $(cd "$data/scan" && ls | sort) != "$scans" ]] || fail "the run of $op1 moved nothing"
run_folder=$(find "$data/journal" -mindepth 1 -maxdepth 1 -type d | head -1)
expect "the journal folder" "$data/journal" "2775 root $group"
expect "the run's journal folder" "$run_folder" "2775 $op1 $group"
while IFS= read -r file; do
    expect "the journal file ${file#"$data/"}" "$file" "664 $op1 $group"
done < <(find "$run_folder" -maxdepth 1 -type f)
step "$op2 undoes the run of $op1" as "$op2" "$cli" --json --yes undo
[[ $(cd "$data/scan" && ls | sort) == "$scans" ]] || fail "the undo of $op2 did not bring the scans back"

agent=$root/usr/lib/nomira/agent/Quentdef.exe
step "$op1 writes the agent's definition" as "$op1" "$agent" "/o=$data/rename"
step "$op2 writes it again" as "$op2" "$agent" "/o=$data/rename"

echo "== a user outside the group"
if as "$outsider" "$cli" --json settings >"$work/out" 2>&1; then
    fail "$outsider, outside the group, read the data folder"
else
    echo "   ok: $outsider cannot use the data folder"
fi

if ((status != 0)); then
    echo "two-operators: FAILED" >&2
else
    echo "two-operators: passed"
fi
exit "$status"
