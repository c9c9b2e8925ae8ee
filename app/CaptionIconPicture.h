#pragma once
#include "gui/skin/SkinArtwork.h"

// The main window's title-bar icon: the program's icon drawn at 17 x 17, as a
// PNG file (CaptionIconPicture.cpp, made by tests/app/GenerateAppArtwork.cpp).
extern const SkinPictureBlob kCaptionIconPicture;
