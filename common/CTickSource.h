#pragma once
#include <cstdint>

// Millisecond tick count; tests put a clock of their own in its place.
class CTickSource {
public:
    virtual ~CTickSource();
    virtual uint32_t Now() = 0;

    // The operating system's tick count, shared by every user.
    static CTickSource* System();
};
