// A stand-in external library module, built as dsps20.dll and dspi20.dll:
// every registered name returns 4242 (or null), MODULE_MINOR sets the minor
// version, and defining a name to another leaves that export out.
#include "signal/DspCpu.h"
#include "signal/DspFunctionList.h"

#define EXPORT extern "C" __declspec(dllexport)

namespace {

template <class R>
R Reply()
{
    return R(4242);
}

template <>
void Reply<void>()
{}

#define NULL_REPLY(T)                                                                                                  \
    template <>                                                                                                        \
    T* Reply<T*>()                                                                                                     \
    {                                                                                                                  \
        return nullptr;                                                                                                \
    }
NULL_REPLY(int)
NULL_REPLY(float)
NULL_REPLY(double)
NULL_REPLY(unsigned char)

const LibVersion Version = {4, MODULE_MINOR, 0, 0, {'t', 'e', 's', 't'}, "test", "test", "test"};

} // namespace

EXPORT const LibVersion* dspsGetLibVersion()
{
    return &Version;
}

EXPORT const LibVersion* dspiGetLibVersion()
{
    return &Version;
}

#define MODULE_EXPORT(name, letter, result, params, args, g, s, s2, s3)                                                \
    EXPORT result name params                                                                                          \
    {                                                                                                                  \
        return Reply<result>();                                                                                        \
    }
DSP_FUNCTION_LIST(MODULE_EXPORT)
