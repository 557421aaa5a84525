#!/usr/bin/env bash
# Builds the Debian packages and checks them without installing them: lintian (when installed)
# and hardening-check on every ELF file, the file list of each package and their control data,
# the data folder that nomira's postinst makes (run against a temporary folder), the desktop
# entry, the AppStream metainfo, the manual pages and the completion; links a small Qt program
# against the Zoomwell CMake package and runs the unpacked nomira-cli.
#
#   scripts/package-check.sh            build with scripts/package.sh, then check
#   scripts/package-check.sh DIR        check the packages in DIR as they are
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

if [[ ${1:-} == -h || ${1:-} == --help ]]; then
    sed -n '2,9s/^# \{0,1\}//p' "$0"
    exit 0
fi
if [[ -n ${1:-} ]]; then
    debs=$(realpath "$1")
else
    scripts/package.sh
    debs=$PWD/build
fi

version=$(sed -n 's/^project(Nomira VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
root=$work/root
status=0
fail() {
    echo "package-check: $*" >&2
    status=1
}

declare -A deb
for package in nomira libzoomwell1 libzoomwell-dev; do
    found=("$debs/${package}_"*.deb)
    if [[ ! -f ${found[0]} ]]; then
        echo "package-check: no ${package}_*.deb in $debs" >&2
        exit 1
    fi
    deb[$package]=${found[0]}
    dpkg-deb -x "${deb[$package]}" "$work/$package"
    dpkg-deb -x "${deb[$package]}" "$root"
    dpkg-deb -e "${deb[$package]}" "$work/control-$package"
done

echo "== lintian"
if command -v lintian >/dev/null; then
    lintian --fail-on error,warning "${deb[@]}" ||
        fail "lintian reports errors or warnings"
else
    echo "   (skipped: lintian is not installed)"
fi

echo "== hardening-check"
elf_files() { find "$1" -type f -exec sh -c 'head -c4 "$1" | grep -q ELF' _ {} \; -print; }
# Control-flow protection is no part of Debian 12's hardening (dpkg-buildflags does not give it,
# and the C library's start files lack it), so it is not asked for. The files listed in
# unfortified make no libc call whose size the compiler knows (their only candidate is memcpy
# with sizes known at run time), so fortify leaves nothing to find in them.
unfortified=(/usr/lib/nomira/libnomira_pdf.so)
if command -v hardening-check >/dev/null; then
    while IFS= read -r elf; do
        options=(--quiet --nocfprotection)
        [[ " ${unfortified[*]} " == *" ${elf#"$root"} "* ]] && options+=(--nofortify)
        hardening-check "${options[@]}" "$elf" || fail "${elf#"$root"} is not hardened"
    done < <(elf_files "$root")
else
    echo "   (skipped: hardening-check is not installed; it comes with devscripts)"
fi

echo "== file lists"
docs() { printf './usr/share/doc/%s/copyright\n./usr/share/doc/%s/changelog.Debian.gz\n' "$1" "$1"; }
expected_nomira=(
    ./etc/nomira/registry.ini
    ./usr/bin/Nomira ./usr/bin/nomira-cli ./usr/bin/nomira-demo-data
    ./usr/lib/nomira/Nomira ./usr/lib/nomira/NomiraUM.pdf ./usr/lib/nomira/NomiraUM.html
    ./usr/lib/nomira/libnomira_ocr.so ./usr/lib/nomira/libnomira_pdf.so
    ./usr/lib/nomira/nomira-cli ./usr/lib/nomira/nomira-demo-data
    ./usr/lib/nomira/agent/Quentconv.exe ./usr/lib/nomira/agent/Quentdef.exe
    ./usr/lib/nomira/agent/Quentry.exe
    ./usr/share/applications/com.orvane.Nomira.desktop
    ./usr/share/bash-completion/completions/nomira-cli
    ./usr/share/doc/nomira/README.md
    ./usr/share/icons/hicolor/scalable/apps/nomira.svg
    ./usr/share/man/man1/Nomira.1.gz ./usr/share/man/man1/nomira-cli.1.gz
    ./usr/share/man/man1/nomira-demo-data.1.gz
    ./usr/share/metainfo/com.orvane.Nomira.metainfo.xml
    ./usr/share/mime/packages/nomira.xml
    $(docs nomira)
)
for size in 16 24 32 48 64 128 256; do
    expected_nomira+=("./usr/share/icons/hicolor/${size}x${size}/apps/nomira.png")
done
expected_libzoomwell1=(
    "./usr/lib/$multiarch/libzoomwell.so.1" "./usr/lib/$multiarch/libzoomwell.so.1.0.0"
    $(docs libzoomwell1)
)
expected_libzoomwell_dev=(
    ./usr/include/zoomwell/Zoomwell.h ./usr/include/zoomwell/ZoomwellInput.h
    ./usr/include/zoomwell/ZoomwellLine.h ./usr/include/zoomwell/ZoomwellResizer.h
    ./usr/include/zoomwell/ZoomwellScene.h ./usr/include/zoomwell/ZoomwellShape.h
    "./usr/lib/$multiarch/cmake/Zoomwell/ZoomwellConfig.cmake"
    "./usr/lib/$multiarch/cmake/Zoomwell/ZoomwellConfigVersion.cmake"
    "./usr/lib/$multiarch/cmake/Zoomwell/ZoomwellTargets-relwithdebinfo.cmake"
    "./usr/lib/$multiarch/cmake/Zoomwell/ZoomwellTargets.cmake"
    "./usr/lib/$multiarch/libzoomwell.so"
    $(docs libzoomwell-dev)
)
for package in nomira libzoomwell1 libzoomwell-dev; do
    declare -n expected="expected_${package//-/_}"
    if ! diff -u <(printf '%s\n' "${expected[@]}" | sort) \
        <(cd "$work/$package" && find . ! -type d | sort); then
        fail "the files of $package differ from the expected list (- expected, + packed)"
    fi
done
for link in Nomira nomira-cli nomira-demo-data; do
    [[ -x $root/usr/bin/$link ]] || fail "/usr/bin/$link does not lead to a program"
done
for size in 16 48 256; do
    got=$(identify -format '%wx%h' "$root/usr/share/icons/hicolor/${size}x${size}/apps/nomira.png")
    [[ $got == "${size}x${size}" ]] || fail "the ${size}px icon is $got"
done

echo "== control data"
field() { dpkg-deb -f "${deb[$1]}" "$2"; }
has() { grep -qE -- "(^|, |\| )$3( |,|$)" <<<"$(field "$1" "$2")" || fail "$1: $2 lacks $3"; }
for package in nomira libzoomwell1 libzoomwell-dev; do
    [[ $(field "$package" Version) == "$version-"* ]] ||
        fail "$package: version $(field "$package" Version) is not the project's $version"
    [[ -n $(field "$package" Homepage) ]] || fail "$package: no Homepage"
    zcat "$work/$package/usr/share/doc/$package/changelog.Debian.gz" | head -1 |
        grep -qF "($(field "$package" Version))" || fail "$package: changelog.Debian.gz is not at its version"
    grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
        "$work/$package/usr/share/doc/$package/copyright" || fail "$package: copyright is not machine-readable"
done
for dep in libzoomwell1 hp2xx fonts-ipafont-gothic qt6-qpa-plugins adduser libqt6widgets6 \
    libtiff6 libc6; do
    has nomira Depends "$dep"
done
has nomira Suggests pdf-viewer
has libzoomwell-dev Depends qt6-base-dev
has libzoomwell-dev Depends "libzoomwell1 \\(= $(field libzoomwell1 Version)\\)"
has libzoomwell1 Depends libqt6widgets6
grep -qx "libzoomwell 1 libzoomwell1 (>= $version)" "$work/control-libzoomwell1/shlibs" ||
    fail "the shlibs file of libzoomwell1 does not name libzoomwell1 (>= $version)"
grep -qx /etc/nomira/registry.ini "$work/control-nomira/conffiles" || fail "the registry store is no conffile"
grep -q '^DataPath=/var/lib/nomira$' "$root/etc/nomira/registry.ini" ||
    fail "the registry store does not name /var/lib/nomira"
grep -qi '^\(Version\|Build_Number\)=' "$root/etc/nomira/registry.ini" &&
    fail "the registry store, a conffile, holds the version"

echo "== the data folder made by postinst"
for script in postinst postrm; do
    sh -n "$work/control-nomira/$script" || fail "$script is no valid shell script"
done
# Run against a folder of this check, with a group this user is in (the check does not make
# the package's group on the machine).
group=$(id -gn)
sed -e "s|^data=.*|data=$work/site/data|" -e "s|^group=.*|group=$group|" \
    "$work/control-nomira/postinst" >"$work/postinst"
mkdir "$work/site"
sh "$work/postinst" configure "" || fail "postinst configure ended with $?"
expect_mode() {
    local got
    got=$(stat -c '%a %G' "$work/site/data$1" 2>/dev/null || echo missing)
    [[ $got == "$2 $group" ]] || fail "postinst made data$1 as '$got', not '$2 $group'"
}
expect_mode "" 2770
for sub in template rename csv scan editdata temp journal agent agent/ini; do
    expect_mode "/$sub" 2775
done
# What is there stays as it is; on an upgrade from 1.0.0-1 (which made the data folder readable
# by everyone) a data folder with exactly those permissions is closed.
chmod 2750 "$work/site/data/scan"
rmdir "$work/site/data/journal"
sh "$work/postinst" configure 1.0.0-2 || fail "postinst configure (again) ended with $?"
expect_mode /scan 2750
expect_mode /journal 2775
if [[ $(id -u) -eq 0 ]]; then
    chmod 2775 "$work/site/data"
    sh "$work/postinst" configure 1.0.0-1 || fail "postinst configure (upgrade) ended with $?"
    expect_mode "" 2770
fi

echo "== desktop entry, metainfo, MIME type"
desktop=$root/usr/share/applications/com.orvane.Nomira.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate"
grep -qx 'MimeType=application/x-nomira-workdata;' "$desktop" || fail "the desktop entry lacks the .edd type"
grep -qx 'Exec=Nomira %f' "$desktop" || fail "the desktop entry does not pass the file"
appstreamcli validate --no-net "$root/usr/share/metainfo/com.orvane.Nomira.metainfo.xml" ||
    fail "appstreamcli validate"
mkdir -p "$work/mime/packages"
cp "$root/usr/share/mime/packages/nomira.xml" "$work/mime/packages/"
update-mime-database "$work/mime" 2>/dev/null || true
grep -q 'application/x-nomira-workdata' "$work/mime/globs2" 2>/dev/null ||
    fail "the MIME type for .edd does not register"

echo "== manual pages and completion"
man_text() { zcat "$root/usr/share/man/man1/$1.1.gz" 2>/dev/null || true; }
for page in Nomira nomira-cli nomira-demo-data; do
    text=$(man_text "$page")
    grep -q '^\.SH NAME' <<<"$text" || fail "the manual page of $page has no NAME"
    grep -q '^\.SH SYNOPSIS' <<<"$text" || fail "the manual page of $page has no SYNOPSIS"
done
cli_page=$(man_text nomira-cli)
for text in 'template list' '実行' '/etc/nomira/registry.ini' 'journal/' 'agent/'; do
    grep -qF -- "$text" <<<"$cli_page" || fail "the manual page of nomira-cli lacks '$text'"
done
grep -q '??' <<<"$cli_page" && fail "the manual page of nomira-cli holds '??' for lost characters"
usages=$(grep -ciE '^(\.SH SYNOPSIS|usage:)' <<<"$cli_page")
[[ $usages -eq 1 ]] || fail "the manual page of nomira-cli has $usages usage blocks"
completion=$root/usr/share/bash-completion/completions/nomira-cli
bash -n "$completion" || fail "the completion is no valid bash"
if [[ -f /usr/share/bash-completion/bash_completion ]]; then
    # shellcheck disable=SC2016
    got=$(bash -c 'source /usr/share/bash-completion/bash_completion; source "$1"
        COMP_WORDS=(nomira-cli "$2"); COMP_CWORD=1; COMP_LINE="nomira-cli $2"; COMP_POINT=${#COMP_LINE}
        _nomira_cli; echo "${COMPREPLY[*]}"' _ "$completion" u)
    [[ $got == undo ]] || fail "the completion of 'nomira-cli u' is '$got', not 'undo'"
else
    grep -qw undo "$completion" || fail "the completion does not know undo"
fi

echo "== find_package(Zoomwell)"
mkdir -p "$work/consumer"
cat >"$work/consumer/CMakeLists.txt" <<'CMAKE'
cmake_minimum_required(VERSION 3.25)
project(ZoomwellConsumer LANGUAGES CXX)
find_package(Zoomwell 1 REQUIRED)
add_executable(consumer main.cpp)
target_link_libraries(consumer PRIVATE Zoomwell::zoomwell)
CMAKE
cat >"$work/consumer/main.cpp" <<'CPP'
#include <QApplication>
#include <zoomwell/Zoomwell.h>
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    Zoomwell zoom;
    return zoom.isWidgetType() ? 0 : 1;
}
CPP
if cmake -S "$work/consumer" -B "$work/consumer/build" -G Ninja -DCMAKE_PREFIX_PATH="$root/usr" \
    >"$work/consumer.log" 2>&1 && cmake --build "$work/consumer/build" >>"$work/consumer.log" 2>&1; then
    LD_LIBRARY_PATH=$root/usr/lib/$multiarch QT_QPA_PLATFORM=offscreen \
        "$work/consumer/build/consumer" || fail "the program linked against Zoomwell does not run"
else
    cat "$work/consumer.log" >&2
    fail "a program cannot find_package(Zoomwell) and link it"
fi

echo "== nomira-cli from the unpacked tree"
cli=$root/usr/bin/nomira-cli
got=$("$cli" --version)
[[ $got == "nomira-cli $version "* ]] || fail "--version says '$got'"
# Against the package's registry store: the data folder it names is the machine's, which this
# check leaves alone. It is read as a user outside the group; without the package installed it
# is missing, and the message names it.
as_user=()
if [[ $(id -u) -eq 0 ]] && id nobody >/dev/null 2>&1; then
    as_user=(runuser -u nobody --)
fi
set +e
settings=$(cd / && "${as_user[@]}" env NOMIRA_REGISTRY="$root/etc/nomira/registry.ini" "$cli" --json settings)
code=$?
set -e
if [[ -d /var/lib/nomira && ${#as_user[@]} -eq 0 ]]; then
    [[ $code -eq 0 ]] || fail "settings against the installed data folder ended with $code"
else
    [[ $code -eq 1 ]] || fail "settings from outside the group ended with $code"
    grep -qF '/var/lib/nomira' <<<"$settings" || fail "the message does not name /var/lib/nomira"
fi
# A complete data folder from the unpacked demo-data maker, with the unpacked agent stand-ins.
"$root/usr/bin/nomira-demo-data" "$work/demo" >/dev/null
grep -q "^Path=$root/usr/lib/nomira/agent/Quentry.exe" "$work/demo/registry.ini" ||
    fail "the demo registry store does not name the unpacked agent"
export NOMIRA_REGISTRY=$work/demo/registry.ini
settings=$("$cli" --json settings) || fail "settings on the demo data folder"
grep -qF "\"settingsFile\": \"$work/demo/data/Nomira.ini\"" <<<"$settings" ||
    fail "settings did not read the demo data folder"
templates=$("$cli" template list) || fail "template list on the demo data folder"
grep -qx 'demo' <<<"$templates" || fail "template list lacks demo: $templates"
"$cli" info "$work/demo/data/scan/scan_0001.tif" >/dev/null || fail "info on a demo scan"

if ((status != 0)); then
    echo "package-check: FAILED" >&2
else
    echo "package-check: $(cd "$debs" && echo nomira_*.deb libzoomwell1_*.deb libzoomwell-dev_*.deb) are sound"
fi
exit "$status"
