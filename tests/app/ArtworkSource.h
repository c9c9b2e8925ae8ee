#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// What the generators and the screenshot tour write: C arrays of a file's bytes, and whole files.

// "const uint8_t name[size] = {...};" with a fixed number of bytes a line.
inline std::string ByteArraySource(const std::string& name, const std::vector<uint8_t>& bytes)
{
    const size_t kBytesPerLine = 19; // within the 120 columns
    std::string text = "const uint8_t " + name + "[" + std::to_string(bytes.size()) + "] = {";
    char byte[8];
    for (size_t k = 0; k < bytes.size(); ++k) {
        std::snprintf(byte, sizeof(byte), "0x%02x", bytes[k]);
        text += (k % kBytesPerLine ? " " : "\n    ") + std::string(byte) + (k + 1 < bytes.size() ? "," : "");
    }
    return text + "};\n";
}

inline bool WriteWholeFile(const std::string& path, const std::string& bytes)
{
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    return std::fclose(out) == 0 && written;
}
