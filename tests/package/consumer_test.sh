#!/usr/bin/env bash
# Installs the library into a scratch prefix, then builds and runs a consumer through
# find_package(ZarniEditor) and through pkg-config.
set -euo pipefail
build_dir="$1"
src_dir="$2"
work="$build_dir/package-test"
rm -rf "$work"
mkdir -p "$work"
prefix="$work/prefix"

cmake --install "$build_dir" --prefix "$prefix" >"$work/install.log"

cmake -S "$src_dir/consumer" -B "$work/cmake-build" -DCMAKE_PREFIX_PATH="$prefix" >"$work/configure.log"
cmake --build "$work/cmake-build" >"$work/build.log"
LD_LIBRARY_PATH="$prefix/lib:${LD_LIBRARY_PATH:-}" "$work/cmake-build/consumer"

libdir=$(dirname "$(find "$prefix" -name zarnied.pc | head -1)")
export PKG_CONFIG_PATH="$libdir"
# The .pc file names the configured prefix; point it at the scratch prefix.
flags=$(pkg-config --define-variable=prefix="$prefix" --cflags --libs zarnied)
g++ -std=c++17 -Wall -Wextra -Werror "$src_dir/consumer/main.cpp" $flags -o "$work/consumer-pc"
LD_LIBRARY_PATH="$prefix/lib:${LD_LIBRARY_PATH:-}" "$work/consumer-pc"

test -L "$prefix/lib/libzarnied.so" || { echo "missing libzarnied.so link" >&2; exit 1; }
soname=$(objdump -p "$prefix/lib/libzarnied.so" | awk '/SONAME/ {print $2}')
[ -n "$soname" ] || { echo "libzarnied.so has no SONAME" >&2; exit 1; }
echo "package: ok ($soname)"
