#include "signal/DspCpuSelect.h"

#include <windows.h>

#include <cstdio>

#include "common/IniFile.h"
#include "signal/DspCpu.h"
#include "signal/DspDllBinding.h"
#include "signal/DspRegistry.h"

namespace {

unsigned char CpuSelectionDone = 0;

int ReadForcedType()
{
    char path[MAX_PATH];
    GetIniPath(path);
    return static_cast<int>(GetPrivateProfileIntA("DSP", "ForceCpuType", CpuTypeNotForced, path));
}

LibStatus SelectForced(int cpuType)
{
    if (cpuType == CpuDll)
        return dspsBindFromDlls();
    return dspsSelectCpuType(cpuType);
}

void SelectOtherVendor(const CpuidRegisters& leaf0)
{
    if (leaf0.eax < 1) {
        dspsBindFromDlls();
        return;
    }
    std::fputs("NotIntel(tm)\n", stdout);
    std::fflush(stdout);
    CpuFeatureRecord features;
    dspsReadCpuFeatures(&features);
    if (features.sse2)
        dspsSelectCpuType(CpuFamily15Sse2);
    else if (features.sse)
        dspsSelectCpuType(CpuFamily6Sse);
    else
        dspsSelectBestCpu();
}

void SelectByProcessor()
{
    // Without CPUID there is no vendor to read: the generic variant stays.
    if (!dspsHasCpuid()) {
        dspsSelectBestCpu();
        return;
    }
    CpuidRegisters leaf0;
    dspsCpuid(0, &leaf0);
    if (leaf0.ebx == 0x756E6547)
        dspsSelectBestCpu();
    else
        SelectOtherVendor(leaf0);
}

} // namespace

extern "C" {

LibStatus SelectDspCpu()
{
    if (CpuSelectionDone)
        return StatusOk;
    CpuSelectionDone = 1;
    int forced = ReadForcedType();
    if (forced == CpuTypeNotForced) {
        SelectByProcessor();
        return StatusOk;
    }
    // Bodies the processor lacks the instructions for would fault on every call.
    if (!dspsCpuCanRunType(forced)) {
        SelectByProcessor();
        return StatusUnknownCpuType;
    }
    return SelectForced(forced);
}

void dspsResetCpuSelection()
{
    CpuSelectionDone = 0;
    dspsStoreVariant(VariantGeneric);
}

} // extern "C"
