# quill_variant_sources(<target> [SCALAR_MATH <x87|sse>] <file>...)
# Adds sources to a library whose code runs in per-processor variants, chosen at
# run time. The file name's suffix says which processor a file is built for:
#   *_sse.cpp   MMX and SSE        *_sse2.cpp   SSE2        *_sse3.cpp   SSE3
# Every other file gets no flags and runs on any processor, its floats on the x87.
# SCALAR_MATH sse also moves the suffixed files' scalar float code to SSE; the
# default, x87, keeps it bit for bit with the generic variant.
# Flags per file, not per function: an inline function shared with generic code
# must stay out of these files, or the linker may keep the SIMD copy for both.
function(quill_variant_sources target)
  cmake_parse_arguments(V "" "SCALAR_MATH" "" ${ARGN})
  if(NOT V_SCALAR_MATH)
    set(V_SCALAR_MATH x87)
  endif()
  if(NOT V_SCALAR_MATH MATCHES "^(x87|sse)$")
    message(FATAL_ERROR "quill_variant_sources: SCALAR_MATH is x87 or sse, not '${V_SCALAR_MATH}'")
  endif()
  foreach(file ${V_UNPARSED_ARGUMENTS})
    get_filename_component(path ${file} ABSOLUTE)
    set(flags "")
    if(path MATCHES "_sse\\.[^./]+$")
      set(flags -mmmx -msse)
    elseif(path MATCHES "_sse2\\.[^./]+$")
      set(flags -msse2)
    elseif(path MATCHES "_sse3\\.[^./]+$")
      set(flags -msse3)
    endif()
    if(flags AND V_SCALAR_MATH STREQUAL "sse")
      list(APPEND flags -mfpmath=sse)
    endif()
    if(flags)
      set_source_files_properties(${path} TARGET_DIRECTORY ${target} PROPERTIES COMPILE_OPTIONS "${flags}")
    endif()
    target_sources(${target} PRIVATE ${path})
  endforeach()
endfunction()
