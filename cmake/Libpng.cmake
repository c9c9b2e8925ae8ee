# png_static: libpng from the source folder LIBPNG_SOURCE_DIR (scripts/fetch-libpng
# unpacks Debian's), over the static zlib of the cross toolchain. The prebuilt
# configuration header spares libpng's own awk step.
if(NOT LIBPNG_SOURCE_DIR OR NOT EXISTS ${LIBPNG_SOURCE_DIR}/png.h)
  message(FATAL_ERROR "LIBPNG_SOURCE_DIR must name a libpng 1.6 source folder (scripts/fetch-libpng prints one)")
endif()
# Without this the import library is found and the programs would need zlib1.dll.
set(ZLIB_USE_STATIC_LIBS ON)
find_package(ZLIB REQUIRED)

set(_png ${LIBPNG_SOURCE_DIR})
configure_file(${_png}/scripts/pnglibconf.h.prebuilt ${CMAKE_BINARY_DIR}/libpng-conf/pnglibconf.h COPYONLY)
add_library(png_static STATIC
  ${_png}/png.c ${_png}/pngerror.c ${_png}/pngget.c ${_png}/pngmem.c ${_png}/pngpread.c
  ${_png}/pngread.c ${_png}/pngrio.c ${_png}/pngrtran.c ${_png}/pngrutil.c ${_png}/pngset.c
  ${_png}/pngtrans.c ${_png}/pngwio.c ${_png}/pngwrite.c ${_png}/pngwtran.c ${_png}/pngwutil.c)
target_include_directories(png_static SYSTEM PUBLIC ${_png} ${CMAKE_BINARY_DIR}/libpng-conf)
target_compile_definitions(png_static PRIVATE PNG_ARM_NEON_OPT=0 PNG_INTEL_SSE_OPT=0)
# Foreign code: its warnings are not ours to mend.
target_compile_options(png_static PRIVATE -w)
target_link_libraries(png_static PUBLIC ZLIB::ZLIB)
