#include "common/TextHash.h"
#include <windows.h>
#include <string>

namespace {

const uint64_t kHashBasis = 14695981039346656037ull;
const uint64_t kHashPrime = 1099511628211ull;

} // namespace

uint64_t CaseBlindHash(std::wstring_view text)
{
    std::wstring folded(text);
    CharLowerBuffW(&folded[0], DWORD(folded.size()));
    uint64_t hash = kHashBasis;
    for (const wchar_t unit : folded) {
        hash = (hash ^ (unit & 0xFF)) * kHashPrime; // a byte at a time, low byte first
        hash = (hash ^ (unit >> 8)) * kHashPrime;
    }
    return hash;
}
