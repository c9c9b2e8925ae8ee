#pragma once
#include "audio/KernelStreaming/filter.h"
#include "tests/audio/KernelStreaming/FakeKsPlatform.h"
#include <memory>

// A filter of the stand-in opened by path, ready for property requests.
template <class Filter = CKsFilter>
std::unique_ptr<Filter> OpenFakeFilter(const std::string& path, const std::string& name = "")
{
    HRESULT hr = E_FAIL;
    std::unique_ptr<Filter> filter(new Filter(path.c_str(), &hr, name.c_str()));
    if (FAILED(hr) || FAILED(filter->Instantiate()))
        return nullptr;
    return filter;
}
