#!/usr/bin/env bash
# Builds the Windows static libraries the cross build needs beyond the MinGW sysroot and
# installs them into one prefix, which it prints:
#   - libpng and libjpeg-turbo, from Debian's source packages (apt-get source) at the versions
#     the Linux build uses, since Debian's framework package has its bundled copies removed;
#   - GoogleTest, from Debian's googletest sources, for the cross-built test suite.
# zlib comes from Debian's libz-mingw-w64-dev in the sysroot.
#
#   scripts/windows/build-deps.sh
#
# The prefix is cached under $TARVOLT_WINDOWS_DEPS_CACHE (default ~/.cache/tarvolt/windows-deps),
# keyed by this script, the toolchain file and the versions of the compiler and of all the
# sources, so a repeated build only checks the key.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
toolchain="$root/cmake/toolchains/x86_64-w64-mingw32.cmake"
sysroot=/usr/x86_64-w64-mingw32
cache=${TARVOLT_WINDOWS_DEPS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/tarvolt/windows-deps}

source_version() { # <installed binary package> -> "<source package> <source version>"
    dpkg-query -W -f='${source:Package} ${source:Version}' "$1"
}
read -r png_source png_version <<<"$(source_version libpng-dev)"
read -r jpeg_source jpeg_version <<<"$(source_version libjpeg62-turbo-dev)"
gtest_version=$(dpkg-query -W -f='${Version}' googletest)

key=$( {
    cat "$0" "$toolchain"
    x86_64-w64-mingw32-g++-posix --version
    dpkg-query -W -f='${Version}\n' libz-mingw-w64-dev mingw-w64-x86-64-dev
    echo "$png_source $png_version $jpeg_source $jpeg_version googletest $gtest_version"
} | sha256sum | cut -c1-16)
prefix="$cache/$key"

mkdir -p "$cache"
exec 9>"$cache/.lock"
flock 9
if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi

work=$(mktemp -d "$cache/.build.XXXXXX")
trap 'rm -rf "$work"' EXIT
staging="$work/prefix"
log="$work/build.log"
echo "build-deps: building libpng, libjpeg-turbo and GoogleTest for Windows (log: $log)" >&2

cmake_build() { # <name> <source folder> [cmake arguments...]: configure, build and install
    local name=$1 src=$2
    shift 2
    if ! { cmake -S "$src" -B "$work/$name" \
                -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
                -DCMAKE_INSTALL_PREFIX="$staging" "$@" &&
            cmake --build "$work/$name" --parallel 2 &&
            cmake --install "$work/$name"; } >>"$log" 2>&1; then
        tail -n 40 "$log" >&2
        echo "build-deps: building $name failed" >&2
        exit 1
    fi
}

png_tree=$(bash "$here/fetch-debian-source.sh" "$png_source" "$png_version" "$work/src")
jpeg_tree=$(bash "$here/fetch-debian-source.sh" "$jpeg_source" "$jpeg_version" "$work/src")

cmake_build libpng "$png_tree" \
    -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
    -DPNG_HARDWARE_OPTIMIZATIONS=OFF -Dld-version-script=OFF \
    -DZLIB_INCLUDE_DIR="$sysroot/include" -DZLIB_LIBRARY="$sysroot/lib/libz.a"

# The libjpeg v6b interface, as Debian's libjpeg62-turbo; no SIMD (it needs nasm and the
# plug-in decodes no images on its audio path).
cmake_build libjpeg-turbo "$jpeg_tree" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF
# The framework also reads the library's internal header.
install -m 644 "$jpeg_tree/jpegint.h" "$staging/include/jpegint.h"
# jconfig.h leaves out its "boolean" typedef once windows.h (rpcndr.h) was read; the framework
# includes jpeglib.h inside a namespace after windows.h and names jpeglibNamespace::boolean, so
# C++ always gets the typedef (repeating a typedef of the same type is valid C++).
sed -i 's|^#ifndef __RPCNDR_H__ .*|#if defined(__cplusplus) \|\| !defined(__RPCNDR_H__)|' "$staging/include/jconfig.h"
grep -q '^#if defined(__cplusplus) || !defined(__RPCNDR_H__)' "$staging/include/jconfig.h" || {
    echo "build-deps: jconfig.h no longer has the expected boolean guard" >&2
    exit 1
}

cmake_build googletest /usr/src/googletest -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON

touch "$staging/.complete"
rm -rf "$prefix"
mv "$staging" "$prefix"
# Builds for other keys that nothing used for two weeks are stale.
find "$cache" -mindepth 1 -maxdepth 1 -type d ! -name "$key" ! -name '.build.*' -atime +14 -exec rm -rf {} +
echo "build-deps: done" >&2
echo "$prefix"
