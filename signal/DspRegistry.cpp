#include "signal/DspRegistry.h"

#include <atomic>

#include "signal/DspBodies.h"
#include "signal/DspDllBinding.h"

namespace {

std::atomic<int> CpuVariantIndex{VariantGeneric};
DispatchDescriptor* DescriptorList = nullptr;
bool RegistrationDone = false;

#define DSP_CODE(ns, name) reinterpret_cast<DspCode>(&dsp::ns::name)
#define DSP_TABLE(name, letter, result, params, args, g, s, s2, s3)                                                    \
    VariantTable name##Table = {                                                                                       \
        {nullptr, DSP_CODE(g, name), DSP_CODE(s, name), DSP_CODE(s2, name), DSP_CODE(s3, name), nullptr}};
DSP_FUNCTION_LIST(DSP_TABLE)

#define DSP_DESCRIPTOR(name, letter, result, params, args, g, s, s2, s3) {letter, #name, &name##Table, nullptr},
DispatchDescriptor Descriptors[] = {DSP_FUNCTION_LIST(DSP_DESCRIPTOR)};
const int DescriptorCount = sizeof(Descriptors) / sizeof(Descriptors[0]);

void RegisterDescriptor(DispatchDescriptor* descriptor)
{
    descriptor->next = dspsPushDescriptor(descriptor);
}

// The signal functions in list order, the exit handler, then the image function.
void RegisterAll()
{
    if (RegistrationDone)
        return;
    RegistrationDone = true;
    for (int i = 0; i < DescriptorCount - 1; ++i)
        RegisterDescriptor(&Descriptors[i]);
    dspsUnloadDllsAtExit();
    RegisterDescriptor(&Descriptors[DescriptorCount - 1]);
}

struct DescriptorInitializer {
    DescriptorInitializer() { RegisterAll(); }
} descriptorInitializer;

} // namespace

extern "C" {

#define DSP_STUB(name, letter, result, params, args, g, s, s2, s3)                                                     \
    result name params                                                                                                 \
    {                                                                                                                  \
        typedef result(*Body) params;                                                                                  \
        int index = CpuVariantIndex.load(std::memory_order_relaxed);                                                   \
        return reinterpret_cast<Body>(name##Table.slot[index]) args;                                                   \
    }
DSP_FUNCTION_LIST(DSP_STUB)

DispatchDescriptor* dspsPushDescriptor(DispatchDescriptor* descriptor)
{
    DispatchDescriptor* previous = DescriptorList;
    DescriptorList = descriptor;
    return previous;
}

DispatchDescriptor* dspsDescriptorList()
{
    RegisterAll();
    return DescriptorList;
}

int dspsCurrentVariant()
{
    return CpuVariantIndex.load(std::memory_order_relaxed);
}

void dspsStoreVariant(int index)
{
    CpuVariantIndex.store(index, std::memory_order_relaxed);
}

void dspiInstallResizeBodies(DspiResizeBody generic, DspiResizeBody sse, DspiResizeBody sse2, DspiResizeBody sse3)
{
    DspCode* slot = dspiResize_8u_C4RTable.slot;
    slot[VariantGeneric] = reinterpret_cast<DspCode>(generic);
    slot[VariantSse] = reinterpret_cast<DspCode>(sse);
    slot[VariantSse2] = reinterpret_cast<DspCode>(sse2);
    slot[VariantSse3] = reinterpret_cast<DspCode>(sse3);
}

} // extern "C"
