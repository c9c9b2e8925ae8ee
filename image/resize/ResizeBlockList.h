#pragma once
// The work blocks of one resize call, all released together when the list goes.

class ResizeBlockList {
public:
    ResizeBlockList() = default;
    ResizeBlockList(const ResizeBlockList&) = delete;
    ResizeBlockList& operator=(const ResizeBlockList&) = delete;
    ~ResizeBlockList();

    // Keeps a block; false (and nothing kept) when it is null.
    bool Keep(void* block);

private:
    static const int kMaxBlocks = 16;
    void* m_blocks[kMaxBlocks] = {};
    int m_count = 0;
};
