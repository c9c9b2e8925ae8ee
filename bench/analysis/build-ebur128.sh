#!/bin/sh
# Builds ebur128.dll for the comparison in bench_analysis from Debian's
# libebur128 source package. Never committed; a failure only leaves the
# comparison out.
# Usage: build-ebur128.sh <dll output dir> <work dir> <C compiler>
out=$1 work=$2 cc=$3
[ -f "$out/ebur128.dll" ] && exit 0
mkdir -p "$work" && cd "$work" || exit 0
if [ -z "$(ls -d libebur128-*/ 2>/dev/null)" ]; then
  apt-get source -qq --download-only libebur128 >/dev/null 2>&1
  dpkg-source -x libebur128_*.dsc >/dev/null 2>&1 ||
    tar xzf libebur128_*.orig.tar.gz 2>/dev/null
fi
src=$(ls -d "$work"/libebur128-*/ebur128 2>/dev/null | head -1)
if [ -z "$src" ]; then
  echo "libebur128 source not available: comparison left out"
  exit 0
fi
# The library's own advice for x86: SSE2 arithmetic.
"$cc" -O2 -msse2 -mfpmath=sse -shared -static-libgcc -I"$src" -I"$src/queue" \
  -o "$out/ebur128.dll" "$src/ebur128.c" 2>/dev/null ||
  echo "libebur128 did not build: comparison left out"
exit 0
