#pragma once
// The Kernel Streaming declarations the class library works with.
#include <windows.h>
#include <winioctl.h>
#include <mmreg.h>
#include <ks.h>
#include <ksmedia.h>
#include <setupapi.h>

// The DLL entry that creates a pin instance on a filter.
typedef DWORD(WINAPI* KsCreatePinFn)(HANDLE filter, PKSPIN_CONNECT connect, ACCESS_MASK access, PHANDLE pin);
