#include "audio/GuidText.h"
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Reads hexadecimal digits up to the first other character, at most maxDigits.
unsigned long ReadHex(const char* text, int maxDigits)
{
    char digits[9] = {};
    for (int i = 0; i < maxDigits && isxdigit((unsigned char)text[i]); i++)
        digits[i] = text[i];
    return strtoul(digits, nullptr, 16);
}

} // namespace

int FormatGuid(char* out, const GUID* guid)
{
    if (!out || !guid)
        return 0;
    const BYTE* d = guid->Data4;
    return sprintf(out, "%08lx-%04x-%04x-%02x%02x-%02x%02x%02x%02x%02x%02x", (unsigned long)guid->Data1, guid->Data2,
                   guid->Data3, d[0], d[1], d[2], d[3], d[4], d[5], d[6], d[7]);
}

GUID ParseGuid(const char* text)
{
    GUID guid = {};
    if (!text || strlen(text) != GuidTextLength)
        return guid;
    guid.Data1 = ReadHex(text, 8);
    guid.Data2 = (unsigned short)ReadHex(text + 9, 4);
    guid.Data3 = (unsigned short)ReadHex(text + 14, 4);
    static const int byteAt[8] = {19, 21, 24, 26, 28, 30, 32, 34};
    for (int i = 0; i < 8; i++)
        guid.Data4[i] = (BYTE)ReadHex(text + byteAt[i], 2);
    return guid;
}
