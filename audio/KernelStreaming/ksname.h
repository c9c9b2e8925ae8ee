#pragma once
#include "audio/KernelStreaming/ksdefs.h"

// Reads a filter's readable name from its interface key (nameSize bytes, terminated);
// generic USB audio devices take the name of their USB device instead.
void KsReadFriendlyName(HDEVINFO set, PSP_DEVICE_INTERFACE_DATA data, LPCSTR devicePath, char* name, DWORD nameSize);

// Reads a registry string into dest (destSize bytes), always terminated.
bool KsReadRegString(HKEY key, LPCSTR value, char* dest, DWORD destSize, DWORD* type);
