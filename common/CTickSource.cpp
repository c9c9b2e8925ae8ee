#include "common/CTickSource.h"
#include <windows.h>

namespace {
class CSystemTicks : public CTickSource {
public:
    uint32_t Now() override { return GetTickCount(); }
};
} // namespace

CTickSource::~CTickSource() = default;

CTickSource* CTickSource::System()
{
    static CSystemTicks ticks;
    return &ticks;
}
