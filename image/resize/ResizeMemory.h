#pragma once
// Work memory of the resize functions: library blocks, 32-byte aligned.
// Tests may install hooks to count blocks or make an allocation fail.

struct ResizeAllocHooks {
    void* (*alloc)(int bytes, void* context);
    void (*release)(void* block, void* context);
    void* context;
};

// Blocks of count 8-bit, 16-bit or 32-bit elements; null when count < 1 or memory is out.
void* ResizeAlloc8u(int count);
void* ResizeAlloc16s(int count);
void* ResizeAlloc32f(int count);
void ResizeFree(void* block);

// Null restores the library allocator.
void SetResizeAllocHooks(const ResizeAllocHooks* hooks);
