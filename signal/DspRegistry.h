#pragma once
// Dispatch of library functions to processor variants.
//
// Shape of every library function:
// - DspFunctionList.h lists each registered function once, with its letter,
//   signature and the namespace whose body fills each variant slot.
// - DspRegistry.cpp expands that list into one entry stub per function (the
//   public name), one VariantTable and one DispatchDescriptor, and registers
//   all descriptors in list order from one static initialiser of the same
//   translation unit. Every stub lives there too, so any program that calls
//   the library links the registration, and the walk below registers on
//   demand if it runs before that initialiser.
// - Bodies live in dsp::generic, dsp::sse, dsp::sse2 and dsp::sse3 (declared
//   in DspBodies.h), one translation unit per family and variant, named
//   <Family>.cpp, <Family>_sse.cpp, <Family>_sse2.cpp, <Family>_sse3.cpp and
//   compiled with that variant's flags only (signal_sources() in
//   signal/CMakeLists.txt picks them by suffix). Inline helpers of a variant
//   file stay inside its namespace or an unnamed namespace so that copies
//   built with different flags are never merged by the linker. Code that
//   several variants share goes into a <Family>Kernels.inl or
//   <Family>Entries.inl that each variant file includes inside its own
//   namespace.
// - Adding a library function: add its row to DspFunctionList.h (its place in
//   the list is its registration order), define its bodies in the namespaces
//   the row names (a shared body is named in several columns), and add the
//   files with signal_sources(); signal/fft/ does the same from its folder.
// - The image resize (dspiResize_8u_C4R, the list's last row) is built in
//   image/, a higher layer: its table starts with placeholder bodies that
//   return StatusResizeNotLinked, and image/ installs its four bodies with
//   dspiInstallResizeBodies from a static initialiser in a translation unit
//   that its library forces into every link (-Wl,-u of a symbol there).
#include "signal/Dsp.h"
#include "signal/DspCpu.h"

typedef decltype(&dspiResize_8u_C4R) DspiResizeBody;

extern "C" {
DispatchDescriptor* dspsPushDescriptor(DispatchDescriptor* descriptor);
// Head of DescriptorList (most recently registered first).
DispatchDescriptor* dspsDescriptorList();

// Sets the variant without a selection (dspsSelectCpuType is the public way).
void dspsStoreVariant(int index);

// Replaces the placeholder bodies of dspiResize_8u_C4R (generic, SSE, SSE2, SSE3).
void dspiInstallResizeBodies(DspiResizeBody generic, DspiResizeBody sse, DspiResizeBody sse2, DspiResizeBody sse3);
}
