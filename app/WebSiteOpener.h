#pragma once
#include <windows.h>

// The maker's web site, opened by the shell: the system's browser for the
// address. Tests stand in the shell's open, since a browser must not start
// from a test run.

extern const char kWebSiteAddress[];

// ShellExecuteA's signature.
typedef HINSTANCE(WINAPI* ShellOpenFunction)(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                                             INT show);

// Asks the shell to "open" the address, with no owner, parameters or
// directory, shown normally; the shell's answer is not used.
void OpenWebSiteAddress();
// Replaces the shell's open for every later call; null restores ShellExecuteA.
void SetShellOpenFunction(ShellOpenFunction open);
