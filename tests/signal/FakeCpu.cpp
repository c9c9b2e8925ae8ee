#include "FakeCpu.h"

#include <cstring>

namespace {

FakeCpu* Current = nullptr;

int HasCpuid()
{
    return Current->hasCpuid;
}

unsigned VendorWord(int i)
{
    unsigned w;
    std::memcpy(&w, Current->vendor + 4 * i, 4);
    return w;
}

void Query(unsigned leaf, CpuidRegisters* r)
{
    const FakeCpu& c = *Current;
    *r = CpuidRegisters{0, 0, 0, 0};
    if (leaf == 0)
        *r = CpuidRegisters{c.maxLeaf, VendorWord(0), VendorWord(2), VendorWord(1)};
    else if (leaf == 1)
        *r = CpuidRegisters{c.family << 8, c.logicalCount << 16, c.ecx1, c.edx1};
    else if (leaf == 0x80000000u)
        *r = CpuidRegisters{c.longMode ? 0x80000001u : 0x80000000u, 0, 0, 0};
    else if (leaf == 0x80000001u)
        r->edx = c.longMode ? 1u << 29 : 0;
}

const CpuidSource FakeSource = {HasCpuid, Query};

} // namespace

void FakeCpu::Install()
{
    Current = this;
    dspsSetCpuidSource(&FakeSource);
}

FakeCpu::~FakeCpu()
{
    if (Current == this) {
        dspsSetCpuidSource(nullptr);
        Current = nullptr;
    }
}
