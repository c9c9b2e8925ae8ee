#pragma once
#include <cstdint>

inline int32_t SaturateInt32(int64_t v)
{
    return v > INT32_MAX ? INT32_MAX : (v < INT32_MIN ? INT32_MIN : static_cast<int32_t>(v));
}

inline int16_t SaturateInt16(int64_t v)
{
    return v > INT16_MAX ? INT16_MAX : (v < INT16_MIN ? INT16_MIN : static_cast<int16_t>(v));
}
