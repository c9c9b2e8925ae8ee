#pragma once
#include "app/views/InputState.h"
#include <atomic>
#include <cstdint>

class CTickSource;

// Tells the GUI whether input blocks still arrive. The capture thread counts
// each block; the tick asks. Input counts as stopped once no block came for
// kQuietMs, or for kQuietBlocks block periods where blocks come slower, and
// as live again from the next block. It starts stopped.
// Threads: NoteBlock on the capture thread, everything else on the GUI thread.
class CInputWatch {
public:
    static constexpr uint32_t kQuietMs = 250;
    static constexpr uint32_t kQuietBlocks = 3;

    // Null: the system's tick count.
    explicit CInputWatch(CTickSource* ticks = nullptr);
    CInputWatch(const CInputWatch&) = delete;
    CInputWatch& operator=(const CInputWatch&) = delete;

    void NoteBlock() { m_blocks.fetch_add(1, std::memory_order_relaxed); }
    // The size of the blocks the device delivers; a rate below 1 is no stream.
    void SetBlockSize(int frames, int sampleRate);
    InputState Check();
    void SetTickSource(CTickSource* ticks);
    uint32_t GetQuietMs() const { return m_quietMs; }

private:
    CTickSource* m_ticks;
    std::atomic<uint32_t> m_blocks;
    uint32_t m_seenBlocks;
    uint32_t m_lastBlockTime;
    uint32_t m_quietMs;
    InputState m_state;
};
