#pragma once
// Test data at chosen 4-byte offsets from a 16-byte boundary.
#include <cstdint>
#include <cstring>
#include <vector>

template <class T>
class OffsetVector {
public:
    OffsetVector(int len, int offsetFloats) : m_storage(len * sizeof(T) + 64, 0xEE)
    {
        std::uintptr_t base = reinterpret_cast<std::uintptr_t>(m_storage.data());
        base = ((base + 15) & ~std::uintptr_t(15)) + offsetFloats * 4;
        m_data = reinterpret_cast<T*>(base);
        m_len = len;
    }
    T* data() { return m_data; }
    T& operator[](int i) { return m_data[i]; }
    // The bytes after the vector, which nothing may write.
    bool TailUntouched() const
    {
        const unsigned char* end = reinterpret_cast<const unsigned char*>(m_data + m_len);
        for (int i = 0; i < 8; ++i)
            if (end[i] != 0xEE)
                return false;
        return true;
    }

private:
    std::vector<unsigned char> m_storage;
    T* m_data;
    int m_len;
};

inline bool SameBits(float a, float b)
{
    return std::memcmp(&a, &b, sizeof(float)) == 0;
}

inline bool SameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof(double)) == 0;
}

// Reproducible values of varied sign and magnitude.
inline float TestValue(int i, int seed)
{
    unsigned x = unsigned(i) * 2654435761u + unsigned(seed) * 40503u;
    x ^= x >> 13;
    float mant = float(x % 20001) / 1000.0f - 10.0f;
    return mant * float(1 << (x % 7));
}
