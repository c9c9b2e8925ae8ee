#pragma once
#include <windows.h>

// GUIDs as 36 lower-case hexadecimal characters and dashes, without braces.
enum { GuidTextLength = 36 };

// Writes GuidTextLength + 1 characters; returns the characters written.
int FormatGuid(char* out, const GUID* guid);
// Any text that is not exactly 36 characters long gives the all-zero GUID.
GUID ParseGuid(const char* text);
