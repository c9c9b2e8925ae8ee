#!/usr/bin/env bash
# Builds the measurement references of the FFT benchmark for the Windows target from Debian's
# source packages: FFTW (single precision) and KissFFT. They are never part of the program.
# Usage: build-references.sh DEST  (DEST/include and DEST/lib are filled; reruns are no-ops)
set -euo pipefail
DEST=$(realpath -m "$1")
CC=i686-w64-mingw32-gcc-posix
AR=i686-w64-mingw32-ar
[ -f "$DEST/lib/libfftw3f.a" ] && [ -f "$DEST/lib/libkissfft.a" ] && exit 0
mkdir -p "$DEST/src" "$DEST/include" "$DEST/lib"
cd "$DEST/src"

unpack() { # package -> prints the unpacked source folder
  local dir
  dir=$(ls -d "$1"-*/ 2>/dev/null | head -1)
  if [ -z "$dir" ]; then
    apt-get source -qq --download-only "$1" >/dev/null 2>&1 ||
      { echo "cannot fetch the $1 source package (deb-src missing?)" >&2; exit 1; }
    dpkg-source -x "$(ls "$1"_*.dsc | head -1)" >/dev/null 2>&1
    dir=$(ls -d "$1"-*/ | head -1)
  fi
  echo "$DEST/src/${dir%/}"
}

fftw=$(unpack fftw3)
(cd "$fftw" &&
  ./configure --host=i686-w64-mingw32 CC=$CC --enable-float --enable-sse --enable-sse2 \
    --with-our-malloc --disable-fortran --disable-shared --enable-static --disable-threads \
    --disable-doc >configure.log 2>&1 &&
  make -j"$(nproc)" >make.log 2>&1) || { echo "FFTW build failed, see $fftw/*.log" >&2; exit 1; }
cp "$fftw/.libs/libfftw3f.a" "$DEST/lib/"
cp "$fftw/api/fftw3.h" "$DEST/include/"

kiss=$(unpack kissfft)
for f in kiss_fft kiss_fftr; do
  $CC -O3 -msse2 -mfpmath=sse -Dkiss_fft_scalar=float -c "$kiss/$f.c" -o "$DEST/src/$f.o"
done
$AR rcs "$DEST/lib/libkissfft.a" "$DEST/src/kiss_fft.o" "$DEST/src/kiss_fftr.o"
cp "$kiss"/kiss_fft.h "$kiss"/kiss_fftr.h "$kiss"/kiss_fft_log.h "$DEST/include/"
