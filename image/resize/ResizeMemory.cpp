#include "image/resize/ResizeMemory.h"

#include "signal/Dsp.h"

namespace {

ResizeAllocHooks g_hooks = {nullptr, nullptr, nullptr};

bool Hooked(int count, int elementSize, void** block)
{
    if (!g_hooks.alloc) {
        return false;
    }
    bool fits = count >= 1 && count <= 0x7fffffff / elementSize;
    *block = fits ? g_hooks.alloc(count * elementSize, g_hooks.context) : nullptr;
    return true;
}

} // namespace

void* ResizeAlloc8u(int count)
{
    void* block;
    return Hooked(count, 1, &block) ? block : dspsMalloc_8u(count);
}

void* ResizeAlloc16s(int count)
{
    void* block;
    return Hooked(count, 2, &block) ? block : dspsMalloc_16s(count);
}

void* ResizeAlloc32f(int count)
{
    void* block;
    return Hooked(count, 4, &block) ? block : dspsMalloc_32f(count);
}

void ResizeFree(void* block)
{
    if (!block) {
        return;
    }
    if (g_hooks.release) {
        g_hooks.release(block, g_hooks.context);
        return;
    }
    dspsFree(block);
}

void SetResizeAllocHooks(const ResizeAllocHooks* hooks)
{
    g_hooks = hooks ? *hooks : ResizeAllocHooks{nullptr, nullptr, nullptr};
}
