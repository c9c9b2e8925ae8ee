#pragma once
#include "gui/skin/SkinArtwork.h"
#include "gui/skin/SkinInsets.h"

// How the skin renderer fills its 27 image sets from the embedded pictures.

const int kSkinSetCount = 27;
const int kSkinSetBySize = -1; // for a kind whose set is a button chosen by its size
const int kNoSkinState = -1;
const int kDecodePicture = -1;

// One step of filling: a picture decoded into a set (scaled when the factor is
// not 1) showing up to two states, or every picture of another set scaled
// into this one with the same states.
struct SkinSetFill {
    int set;
    int sourceSet; // kDecodePicture, or the set whose pictures are scaled
    SkinPicture picture;
    float factor;
    int states[2];
};

// The set's values; see CSkinImageSet.
struct SkinSetValues {
    SkinInsets stretchInsets;
    SkinInsets contentInsets;
    SkinInsets zoneA;
    SkinInsets zoneB;
    int extraValues[4];
    int extraFlag;
    int buttonValues[2];
};

// In the order the sets are filled.
extern const SkinSetFill kSkinSetFills[];
extern const int kSkinSetFillCount;
// Indexed by set.
extern const SkinSetValues kSkinSetValues[kSkinSetCount];
