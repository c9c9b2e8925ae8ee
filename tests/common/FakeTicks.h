#pragma once
#include "common/CTickSource.h"

class FakeTicks : public CTickSource {
public:
    explicit FakeTicks(uint32_t start) : now(start) {}
    uint32_t Now() override { return now; }
    uint32_t now;
};
