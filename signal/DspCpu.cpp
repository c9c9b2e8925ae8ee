#include "signal/DspCpu.h"

#include <cpuid.h>

#include "signal/DspRegistry.h"

namespace {

int HardwareHasCpuid()
{
    unsigned before, after;
    __asm__ volatile("pushfl\n\t"
                     "pushfl\n\t"
                     "popl %0\n\t"
                     "movl %0, %1\n\t"
                     "xorl $0x200000, %1\n\t"
                     "pushl %1\n\t"
                     "popfl\n\t"
                     "pushfl\n\t"
                     "popl %1\n\t"
                     "popfl"
                     : "=&r"(before), "=&r"(after)
                     :
                     : "cc");
    return ((before ^ after) & 0x200000) != 0;
}

void HardwareQuery(unsigned leaf, CpuidRegisters* out)
{
    __cpuid(leaf, out->eax, out->ebx, out->ecx, out->edx);
}

const CpuidSource HardwareSource = {HardwareHasCpuid, HardwareQuery};
const CpuidSource* Source = &HardwareSource;

const LibVersion CoreVersion = {4, 1, 12, 51, {'c', 'o', 'r', 'e'}, "dspcorel.lib", "v4.1", "Oct 27 2004"};

int VariantOfType(int cpuType)
{
    switch (cpuType) {
    case CpuDll: return VariantDll;
    case CpuFamily6Sse:
    case CpuFamily7:
    case CpuFamily15NoSse2: return VariantSse;
    case CpuFamily15Sse2:
    case CpuFamily15Sse2Ht:
    case CpuFamily6Sse2: return VariantSse2;
    case CpuFamily15Sse3:
    case CpuFamily15Sse3LongMode: return VariantSse3;
    default: return VariantGeneric;
    }
}

bool IsKnownType(int cpuType)
{
    return (cpuType >= CpuDll && cpuType <= CpuFamily6Sse2) || cpuType == CpuFamily7 || cpuType == CpuFamily15NoSse2 ||
           cpuType == CpuFamily15Sse3LongMode;
}

bool EveryExternalEntryBound()
{
    for (DispatchDescriptor* d = dspsDescriptorList(); d; d = d->next) {
        if (!d->table->slot[VariantDll])
            return false;
    }
    return true;
}

int Family15Type(const CpuFeatureRecord& f)
{
    if (!f.sse2)
        return CpuFamily15NoSse2;
    if (f.sse3)
        return f.longMode ? CpuFamily15Sse3LongMode : CpuFamily15Sse3;
    return f.hyperThreading ? CpuFamily15Sse2Ht : CpuFamily15Sse2;
}

int Family6Type(const CpuFeatureRecord& f)
{
    if (f.sse2)
        return CpuFamily6Sse2;
    if (f.sse)
        return CpuFamily6Sse;
    return f.mmx ? CpuFamily6Mmx : CpuFamily6;
}

} // namespace

extern "C" {

void dspsSetCpuidSource(const CpuidSource* source)
{
    Source = source ? source : &HardwareSource;
}

int dspsHasCpuid()
{
    return Source->hasCpuid();
}

void dspsCpuid(unsigned leaf, CpuidRegisters* out)
{
    *out = CpuidRegisters{0, 0, 0, 0};
    if (Source->hasCpuid())
        Source->query(leaf, out);
}

int dspsIsGenuineIntel()
{
    CpuidRegisters r;
    dspsCpuid(0, &r);
    return r.ebx == 0x756E6547 && r.edx == 0x49656E69 && r.ecx == 0x6C65746E;
}

void dspsReadCpuFeatures(CpuFeatureRecord* record)
{
    CpuidRegisters r;
    dspsCpuid(1, &r);
    record->family = (r.eax >> 8) & 0xF;
    record->mmx = (r.edx >> 23) & 1;
    record->sse = (r.edx >> 25) & 1;
    record->sse2 = (r.edx >> 26) & 1;
    record->hyperThreading = ((r.edx >> 28) & 1) && ((r.ebx >> 16) & 0xFF) > 1;
    record->sse3 = r.ecx & 1;
    CpuidRegisters ext;
    dspsCpuid(0x80000000u, &ext);
    record->longMode = 0;
    if (ext.eax >= 0x80000001u) {
        dspsCpuid(0x80000001u, &ext);
        record->longMode = (ext.edx >> 29) & 1;
    }
}

int dspsGetCpuType()
{
    if (!dspsHasCpuid() || !dspsIsGenuineIntel())
        return CpuUnknown;
    CpuFeatureRecord f;
    dspsReadCpuFeatures(&f);
    switch (f.family) {
    case 7: return CpuFamily7;
    case 15: return Family15Type(f);
    case 5: return f.mmx ? CpuFamily5Mmx : CpuFamily5;
    case 6: return Family6Type(f);
    default: return CpuUnknown;
    }
}

// The external slot is refused while any entry is unbound: a stub would call through null.
LibStatus dspsSelectCpuType(int cpuType)
{
    if (!IsKnownType(cpuType))
        return StatusUnknownCpuType;
    if (cpuType == CpuDll && !EveryExternalEntryBound())
        return StatusUnknownCpuType;
    dspsStoreVariant(VariantOfType(cpuType));
    return StatusOk;
}

int dspsCpuCanRunType(int cpuType)
{
    CpuFeatureRecord f;
    dspsReadCpuFeatures(&f);
    switch (IsKnownType(cpuType) ? VariantOfType(cpuType) : VariantGeneric) {
    case VariantSse: return f.sse;
    case VariantSse2: return f.sse && f.sse2;
    case VariantSse3: return f.sse && f.sse2 && f.sse3;
    default: return 1;
    }
}

LibStatus dspsSelectBestCpu()
{
    // Without CPUID or on another vendor the type is unknown: the generic variant.
    dspsStoreVariant(VariantOfType(dspsGetCpuType()));
    return dspsHasCpuid() && dspsIsGenuineIntel() ? StatusOk : StatusNotIntelCpu;
}

const LibVersion* dspsCoreVersion()
{
    return &CoreVersion;
}

} // extern "C"
