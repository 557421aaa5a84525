#!/usr/bin/env bash
# Builds the Debian package and checks it without installing it: unpacks it into a temporary
# root, compares its file list, validates the desktop entry and the AppStream metainfo, checks the
# control data, links a small Qt program against the Zoomwell CMake package, and runs the unpacked
# nomira-cli against the unpacked registry store.
#
#   scripts/package-check.sh            build with scripts/package.sh, then check
#   scripts/package-check.sh FILE.deb   check FILE.deb as it is
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source_dir=$PWD

if [[ ${1:-} == -h || ${1:-} == --help ]]; then
    sed -n '2,8s/^# \{0,1\}//p' "$0"
    exit 0
fi
if [[ -n ${1:-} ]]; then
    deb=$(realpath "$1")
else
    scripts/package.sh
    deb=$(realpath build/nomira_*.deb)
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

dpkg-deb -x "$deb" "$root"
dpkg-deb -e "$deb" "$work/control"

echo "== file list"
expected=(
    ./etc/nomira/registry.ini
    ./usr/bin/Nomira ./usr/bin/nomira-cli ./usr/bin/nomira-demo-data
    ./usr/include/zoomwell/Zoomwell.h ./usr/include/zoomwell/ZoomwellInput.h
    ./usr/include/zoomwell/ZoomwellLine.h ./usr/include/zoomwell/ZoomwellResizer.h
    ./usr/include/zoomwell/ZoomwellScene.h ./usr/include/zoomwell/ZoomwellShape.h
    ./usr/lib/nomira/Nomira ./usr/lib/nomira/NomiraUM.pdf ./usr/lib/nomira/NomiraUM.html
    ./usr/lib/nomira/libnomira_pdf.so
    ./usr/lib/nomira/nomira-cli ./usr/lib/nomira/nomira-demo-data
    ./usr/lib/nomira/agent/Quentconv.exe ./usr/lib/nomira/agent/Quentdef.exe
    ./usr/lib/nomira/agent/Quentry.exe
    "./usr/lib/$multiarch/cmake/Zoomwell/ZoomwellConfig.cmake"
    "./usr/lib/$multiarch/cmake/Zoomwell/ZoomwellConfigVersion.cmake"
    "./usr/lib/$multiarch/cmake/Zoomwell/ZoomwellTargets-relwithdebinfo.cmake"
    "./usr/lib/$multiarch/cmake/Zoomwell/ZoomwellTargets.cmake"
    "./usr/lib/$multiarch/libzoomwell.so" "./usr/lib/$multiarch/libzoomwell.so.1"
    "./usr/lib/$multiarch/libzoomwell.so.1.0.0"
    ./usr/share/applications/com.orvane.Nomira.desktop
    ./usr/share/bash-completion/completions/nomira-cli
    ./usr/share/doc/nomira/README.md
    ./usr/share/icons/hicolor/scalable/apps/nomira.svg
    ./usr/share/man/man1/nomira-cli.1.gz
    ./usr/share/metainfo/com.orvane.Nomira.metainfo.xml
    ./usr/share/mime/packages/nomira.xml
)
for size in 16 24 32 48 64 128 256; do
    expected+=("./usr/share/icons/hicolor/${size}x${size}/apps/nomira.png")
done
if ! diff -u <(printf '%s\n' "${expected[@]}" | sort) <(cd "$root" && find . ! -type d | sort); then
    fail "the package's files differ from the expected list (- expected, + packed)"
fi
for link in Nomira nomira-cli nomira-demo-data; do
    [[ -x $root/usr/bin/$link ]] || fail "/usr/bin/$link does not lead to a program"
done
for size in 16 48 256; do
    got=$(identify -format '%wx%h' "$root/usr/share/icons/hicolor/${size}x${size}/apps/nomira.png")
    [[ $got == "${size}x${size}" ]] || fail "the ${size}px icon is $got"
done

echo "== control data"
field() { dpkg-deb -f "$deb" "$1"; }
[[ $(field Version) == "$version-"* ]] || fail "version $(field Version) is not the project's $version"
for dep in hp2xx fonts-ipafont-gothic qt6-qpa-plugins libqt6widgets6 libtiff6 libpoppler-cpp0v5; do
    grep -qw -- "$dep" <<<"$(field Depends)" || fail "Depends lacks $dep"
done
grep -qx /etc/nomira/registry.ini "$work/control/conffiles" || fail "the registry store is no conffile"
for script in postinst postrm; do
    sh -n "$work/control/$script" || fail "$script is no valid shell script"
done
grep -q '^DataPath=/var/lib/nomira$' "$root/etc/nomira/registry.ini" ||
    fail "the registry store does not name /var/lib/nomira"

echo "== libraries"
while IFS= read -r elf; do
    missing=$(LD_LIBRARY_PATH=$root/usr/lib/$multiarch ldd "$elf" | grep 'not found' || true)
    [[ -z $missing ]] || fail "$elf: $missing"
done < <(find "$root" -type f -exec sh -c 'head -c4 "$1" | grep -q ELF' _ {} \; -print)

echo "== desktop entry, metainfo, MIME type"
desktop-file-validate "$root/usr/share/applications/com.orvane.Nomira.desktop" ||
    fail "desktop-file-validate"
appstreamcli validate --no-net "$root/usr/share/metainfo/com.orvane.Nomira.metainfo.xml" ||
    fail "appstreamcli validate"
mkdir -p "$work/mime/packages"
cp "$root/usr/share/mime/packages/nomira.xml" "$work/mime/packages/"
update-mime-database "$work/mime" 2>/dev/null || true
grep -q 'application/x-nomira-workdata' "$work/mime/globs2" 2>/dev/null ||
    fail "the MIME type for .edd does not register"

echo "== manual page and completion"
man_text=$(zcat "$root/usr/share/man/man1/nomira-cli.1.gz" 2>/dev/null || true)
for text in '.SH SYNOPSIS' 'template list' '/etc/nomira/registry.ini'; do
    grep -qF -- "$text" <<<"$man_text" || fail "the manual page lacks '$text'"
done
bash -n "$root/usr/share/bash-completion/completions/nomira-cli" || fail "the completion"

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
if [[ -d /var/lib/nomira ]]; then
    [[ $code -eq 0 ]] || fail "settings against the installed data folder ended with $code"
    grep -q '"settingsFile": "/var/lib/nomira/Nomira.ini"' <<<"$settings" ||
        fail "settings did not read /var/lib/nomira/Nomira.ini"
else
    [[ $code -eq 1 ]] || fail "settings without the data folder ended with $code"
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
    echo "package-check: $(basename "$deb") is sound"
fi
exit "$status"
