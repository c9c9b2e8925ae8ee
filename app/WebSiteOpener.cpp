#include "app/WebSiteOpener.h"
#include <shellapi.h>

const char kWebSiteAddress[] = "https://www.quillmere.example/";

namespace {
ShellOpenFunction g_open = ShellExecuteA;
}

void OpenWebSiteAddress()
{
    g_open(nullptr, "open", kWebSiteAddress, nullptr, nullptr, SW_SHOW);
}

void SetShellOpenFunction(ShellOpenFunction open)
{
    g_open = open ? open : ShellExecuteA;
}
