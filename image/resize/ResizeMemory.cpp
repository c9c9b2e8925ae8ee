#include "image/resize/ResizeMemory.h"

#include <malloc.h>

namespace {

ResizeAllocHooks g_hooks = {nullptr, nullptr, nullptr};

void* AllocBytes(int count, int elementSize) {
  if (count < 1 || count > 0x7fffffff / elementSize) {
    return nullptr;
  }
  int bytes = count * elementSize;
  if (g_hooks.alloc) {
    return g_hooks.alloc(bytes, g_hooks.context);
  }
  return _aligned_malloc(bytes, 32);
}

}  // namespace

void* ResizeAlloc8u(int count) { return AllocBytes(count, 1); }
void* ResizeAlloc16s(int count) { return AllocBytes(count, 2); }
void* ResizeAlloc32f(int count) { return AllocBytes(count, 4); }

void ResizeFree(void* block) {
  if (!block) {
    return;
  }
  if (g_hooks.release) {
    g_hooks.release(block, g_hooks.context);
    return;
  }
  _aligned_free(block);
}

void SetResizeAllocHooks(const ResizeAllocHooks* hooks) {
  g_hooks = hooks ? *hooks : ResizeAllocHooks{nullptr, nullptr, nullptr};
}
