#include "app/CPipelineHandle.h"
#include "audio/PipelineDevice.h"

namespace {
const int kErrorTextSize = 256;
} // namespace

CPipelineHandle::CPipelineHandle()
{
    // The error text goes nowhere: an absent driver changes nothing.
    char errorText[kErrorTextSize] = {};
    m_handle = OpenPipelineDevice(errorText);
}

CPipelineHandle::~CPipelineHandle()
{
    Close();
}

void CPipelineHandle::Close()
{
    if (m_handle && m_handle != INVALID_HANDLE_VALUE)
        CloseHandle(m_handle);
    m_handle = 0;
}
