#pragma once
#include <cstddef>
#include <cstdint>

// A window's position and state as kept in the .ini file: one value, the
// record's 108 bytes in the profile's own struct encoding (hex digits and a
// checksum), under the section and key the window's creator names.
// Little-endian, no padding; a file format, so every field keeps its offset.
struct WindowPlacementRecord {
    uint32_t size;                    // WindowPlacementRecord::kSize
    uint32_t magic;                   // the bytes "vuts"
    int32_t left, top, right, bottom; // screen; the normal-state rectangle unless the state is Normal
    int32_t dockedWidth;
    int32_t dockedHeight;
    uint32_t state;        // low byte a PlacementState, above it PlacementFlag bits
    int32_t ownerWords[2]; // the owner's; the window gives them no meaning
    uint8_t reserved[64];  // written as zeros

    static const uint32_t kSize = 108;
    static const uint32_t kMagic = 0x73747576; // "vuts"
};
static_assert(sizeof(WindowPlacementRecord) == WindowPlacementRecord::kSize, "a file format");
static_assert(offsetof(WindowPlacementRecord, dockedWidth) == 24 && offsetof(WindowPlacementRecord, state) == 32 &&
                  offsetof(WindowPlacementRecord, reserved) == 44,
              "a file format");

namespace PlacementState {
enum : uint32_t {
    Normal = 0,
    Minimized = 1,
    Maximized = 2,
    DockedBase = 100, // + the dock edge, 1..4
    Mask = 0xFF
};
}

namespace PlacementFlag {
enum : uint32_t {
    TopmostLevel2 = 1u << 25,
    Topmost = 1u << 26,
    TaskbarButton = 1u << 27,
    TopmostWhenDocked = 1u << 28,
    WasMaximized = 1u << 29,
    Disabled = 1u << 30,
    Hidden = 1u << 31
};
}
