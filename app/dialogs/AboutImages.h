#pragma once
#include <cstdint>

// The about window's pictures, PNG files compiled into the program
// (AboutImageData.cpp, made by tests/app/dialogs/GenerateAboutArtwork.cpp).
struct AboutImageBlob {
    const uint8_t* data;
    uint32_t size; // bytes
};

const int kAboutImageCount = 7;
// 370 x 101, palette: the product word in heavy black letters over its slogan.
const int kAboutLogoImage = 6;

extern const AboutImageBlob kAboutImages[kAboutImageCount];

// {null, 0} for an index outside 0..6.
AboutImageBlob GetAboutImage(int index);
