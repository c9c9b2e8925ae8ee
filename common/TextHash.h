#pragma once
#include <cstdint>
#include <string_view>

// FNV-1a (64 bits) of text with its case folded as the system folds file
// names, so every spelling of one name gives one value.
uint64_t CaseBlindHash(std::wstring_view text);
