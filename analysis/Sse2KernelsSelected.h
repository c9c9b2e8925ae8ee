#pragma once
// Whether analysis runs its SSE2 kernels. It follows the signal library's
// variant, so one selection (and one test override) picks the code of both:
// every variant from SSE2 up does; the generic and SSE variants take the
// generic kernels, and so does a loaded module, whose variant names no processor.
bool Sse2KernelsSelected();
