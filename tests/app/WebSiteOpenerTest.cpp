#include "app/WebSiteOpener.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {
std::vector<std::string> g_calls;

HINSTANCE WINAPI RecordOpen(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, INT show)
{
    g_calls.push_back(std::string(verb) + " " + file + (owner || parameters || directory ? " extra" : "") +
                      (show == SW_SHOW ? " shown" : " hidden"));
    return reinterpret_cast<HINSTANCE>(42); // above 32: the shell's success
}
} // namespace

// One open of the address per call, through the stand-in until it is taken away.
TEST(WebSiteOpener, OpensTheAddressThroughTheShell)
{
    EXPECT_EQ(std::string(kWebSiteAddress).find(".example/"), std::string(kWebSiteAddress).size() - 9);
    SetShellOpenFunction(RecordOpen);
    OpenWebSiteAddress();
    OpenWebSiteAddress();
    SetShellOpenFunction(nullptr);
    const std::string call = std::string("open ") + kWebSiteAddress + " shown";
    EXPECT_EQ(g_calls, std::vector<std::string>({call, call}));
}
