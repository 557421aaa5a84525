#!/usr/bin/env bash
# Builds the Debian packages of Nomira and prints their paths: nomira, libzoomwell1 and
# libzoomwell-dev.
#
#   scripts/package.sh          install what is missing and build build/ (scripts/setup.sh), set
#                               its install prefix to /usr, then make the packages in build/
#
# Each package is its install component (packaging/Packaging.cmake) staged under
# build/deb/debian/PACKAGE, stripped as Debian strips, with its control data from
# packaging/debian/control and packaging/debian/changelog (dpkg-gencontrol) and its library
# dependencies computed by dpkg-shlibdeps. Install them with
#   sudo apt install ./build/nomira_*.deb ./build/libzoomwell1_*.deb
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

case "${1:-}" in
"") ;;
-h | --help)
    sed -n '2,12s/^# \{0,1\}//p' "$0"
    exit 0
    ;;
*)
    echo "package.sh: unknown option '$1' (try --help)" >&2
    exit 2
    ;;
esac

packages=(nomira libzoomwell1 libzoomwell-dev)
source_dir=$PWD
debian=$source_dir/packaging/debian

scripts/setup.sh
# The packages install into /usr, the libraries into the Debian multiarch folder. Only install
# paths change, so nothing is compiled again.
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
cmake -S . -B build -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_INSTALL_LIBDIR="lib/$multiarch" >/dev/null
cmake --build build -j"$(nproc)"

version=$(sed -n 's/^project(Nomira VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
changelog_version=$(dpkg-parsechangelog -l "$debian/changelog" -S Version)
if [[ ${changelog_version%-*} != "$version" ]]; then
    echo "package.sh: packaging/debian/changelog is at $changelog_version, the project at $version" >&2
    exit 1
fi

stage=build/deb
rm -rf "$stage" build/*.deb
mkdir -p "$stage/debian"
cp "$debian/control" "$debian/changelog" "$stage/debian/"
for package in "${packages[@]}"; do
    DESTDIR=$PWD/$stage/debian/$package cmake --install build --component "$package" >/dev/null
done

elf_files() { find "$1" -type f -exec sh -c 'head -c4 "$1" | grep -q ELF' _ {} \; -print; }

cd "$stage"
for package in "${packages[@]}"; do
    root=debian/$package
    # Stripped as dh_strip does; shared objects are not executable.
    while IFS= read -r elf; do
        if [[ $elf == *.so || $elf == *.so.* ]]; then
            strip --remove-section=.comment --remove-section=.note --strip-unneeded "$elf"
            chmod 0644 "$elf"
        else
            strip --remove-section=.comment --remove-section=.note "$elf"
        fi
    done < <(elf_files "$root")
    mkdir -p "$root/DEBIAN"
done

# libzoomwell1: its shlibs file names the package at this upstream version or later, so that
# programs built against it keep working with every later build of the same soname.
echo "libzoomwell 1 libzoomwell1 (>= $version)" >debian/libzoomwell1/DEBIAN/shlibs
echo "activate-noawait ldconfig" >debian/libzoomwell1/DEBIAN/triggers
# nomira: its maintainer scripts and the registry store, an administrator's file.
install -m 0755 "$source_dir/build/packaging/debian/nomira.postinst" debian/nomira/DEBIAN/postinst
install -m 0755 "$source_dir/build/packaging/debian/nomira.postrm" debian/nomira/DEBIAN/postrm
echo /etc/nomira/registry.ini >debian/nomira/DEBIAN/conffiles

# The library dependencies, found among the packages being built first (libzoomwell1's shlibs).
for package in nomira libzoomwell1; do
    mapfile -t elves < <(elf_files "debian/$package")
    dpkg-shlibdeps -T"debian/$package.substvars" "${elves[@]}"
done
touch debian/libzoomwell-dev.substvars

for package in "${packages[@]}"; do
    root=debian/$package
    (cd "$root" && find . -path ./DEBIAN -prune -o -type f -printf '%P\0' | LC_ALL=C sort -z |
        xargs -0r md5sum >DEBIAN/md5sums)
    [[ -s $root/DEBIAN/md5sums ]] || rm -f "$root/DEBIAN/md5sums"
    dpkg-gencontrol -p"$package" -T"debian/$package.substvars" -P"$root" -fdebian/files
    find "$root" -type d -exec chmod 0755 {} +
    dpkg-deb --root-owner-group -Zxz --build "$root" "$source_dir/build/" >/dev/null
done
cd "$source_dir"
ls build/*.deb
