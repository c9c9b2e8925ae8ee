#include "gui/skin/SkinSetTable.h"

namespace {
const int N = kNoSkinState;
const int D = kDecodePicture;
using P = SkinPicture;
// Copies made at these scales serve the smaller buttons and boxes.
const float kWhole = 1.0f;
const float kThreeQuarters = 0.75f;
const float kHalf = 0.5f;
const float kTiny = 0.4f; // a 17-pixel knob becomes 6 pixels
} // namespace

const SkinSetFill kSkinSetFills[] = {
    {3, D, P::Set3State2, kWhole, {2, N}},   {3, D, P::Set3State3, kWhole, {3, 6}},
    {3, D, P::Set3State0, kWhole, {0, N}},   {3, D, P::Set3State1, kWhole, {1, N}},
    {3, D, P::Set3State9, kWhole, {9, N}},   {4, 3, P::Count, kThreeQuarters, {N, N}},
    {5, 3, P::Count, kHalf, {N, N}},         {6, D, P::Set6, kWhole, {0, N}},
    {7, D, P::Set7State0, kWhole, {0, N}},   {7, D, P::Set7State1, kWhole, {1, N}},
    {7, D, P::Set7State7, kWhole, {7, N}},   {1, D, P::Set1State0, kWhole, {0, N}},
    {1, D, P::Set1State1, kWhole, {1, N}},   {1, D, P::Set1State2, kWhole, {2, N}},
    {2, D, P::Set2State0, kWhole, {0, N}},   {2, D, P::Set2State1, kWhole, {1, N}},
    {2, D, P::Set2State1, kWhole, {2, N}},   {8, D, P::Set8State0, kWhole, {0, N}},
    {8, D, P::Set8State8, kWhole, {8, N}},   {9, D, P::Set9State8, kWhole, {8, N}},
    {10, D, P::Set10, kWhole, {0, N}},       {11, D, P::Set11Icon0, kWhole, {N, N}},
    {11, D, P::Set11Icon1, kWhole, {N, N}},  {11, D, P::Set11Icon2, kWhole, {N, N}},
    {11, D, P::Set11Icon3, kWhole, {N, N}},  {11, D, P::Set11Icon4, kWhole, {N, N}},
    {12, D, P::Set12, kWhole, {0, N}},       {13, D, P::Set13State0, kWhole, {0, N}},
    {13, D, P::Set13State8, kWhole, {8, N}}, {14, 13, P::Count, kHalf, {N, N}},
    {26, D, P::Set26State0, kWhole, {0, N}}, {26, D, P::Set26State8, kWhole, {8, N}},
    {15, D, P::Set15, kWhole, {0, N}},       {16, D, P::Set16, kTiny, {0, N}},
    {18, D, P::Set18, kWhole, {0, N}},       {17, D, P::Set17, kWhole, {0, N}},
    {20, D, P::Set20, kWhole, {0, N}},       {19, D, P::Set19, kWhole, {0, N}},
    {21, D, P::Set21, kWhole, {0, N}},       {22, D, P::Set22, kWhole, {0, N}},
    {23, D, P::Set23, kWhole, {0, N}},       {24, D, P::Set24, kWhole, {0, N}},
    {25, D, P::Set25, kWhole, {0, N}},
};

const int kSkinSetFillCount = sizeof(kSkinSetFills) / sizeof(kSkinSetFills[0]);

// A bottom inset of -1 (sets 17 and 18) stretches only the top band.
const SkinSetValues kSkinSetValues[kSkinSetCount] = {
    /* 0 */ {},
    /* 1 */ {{8, 8, 8, 8}, {}, {8, 8, 27, 18}, {8, 30, 27, 44}, {}, 0, {}},
    /* 2 */ {{8, 8, 8, 8}, {}, {8, 4, 12, 10}, {8, 16, 12, 21}, {}, 1, {}},
    /* 3 */ {{8, 8, 8, 8}, {5, 3, 3, 4}, {8, 7, 11, 11}, {20, 7, 23, 11}, {}, 0, {2, -2}},
    /* 4 */ {{6, 6, 6, 6}, {3, 3, 4, 3}, {6, 6, 10, 9}, {15, 6, 20, 9}, {}, 1, {2, -1}},
    /* 5 */ {{4, 4, 4, 4}, {3, 2, 3, 3}, {4, 4, 5, 6}, {9, 4, 12, 6}, {}, 1, {2, -1}},
    /* 6 */ {{8, 8, 9, 14}, {2, 2, 2, 2}, {}, {}, {}, 0, {}},
    /* 7 */ {{4, 6, 5, 7}, {3, 2, 2, 2}, {}, {}, {}, 0, {}},
    /* 8 */ {{8, 8, 8, 8}, {5, 3, 3, 4}, {8, 7, 11, 11}, {20, 7, 23, 11}, {0, 0, 3, 1}, 0, {}},
    /* 9 */ {{6, 6, 6, 6}, {3, 3, 4, 3}, {6, 6, 10, 9}, {15, 6, 20, 9}, {0, 0, 1, 1}, 1, {}},
    /* 10 */ {{4, 4, 7, 6}, {}, {}, {}, {}, 0, {}},
    /* 11 */ {{5, 5, 5, 5}, {}, {}, {}, {}, 0, {}},
    /* 12 */ {{6, 6, 7, 6}, {}, {}, {}, {}, 0, {}},
    /* 13 */ {{8, 8, 8, 8}, {}, {}, {}, {}, 0, {}},
    /* 14 */ {{4, 4, 4, 4}, {}, {}, {}, {}, 1, {}},
    /* 15 */ {{7, 7, 7, 7}, {4, 4, 4, 4}, {}, {}, {}, 0, {}},
    /* 16 */ {{4, 4, 4, 4}, {1, 1, 1, 1}, {}, {}, {}, 1, {}},
    /* 17 */ {{4, 2, 4, -1}, {}, {}, {}, {}, 0, {}},
    /* 18 */ {{4, 3, 4, -1}, {}, {}, {}, {}, 0, {}},
    /* 19 */ {{4, 2, 4, 2}, {}, {}, {}, {}, 0, {}},
    /* 20 */ {{4, 3, 4, 3}, {}, {}, {}, {}, 0, {}},
    /* 21 */ {{4, 4, 4, 4}, {2, 2, 2, 2}, {}, {}, {}, 0, {}},
    /* 22 */ {{4, 4, 4, 4}, {3, 3, 3, 3}, {}, {}, {}, 0, {}},
    /* 23 */ {{6, 6, 6, 6}, {3, 3, 3, 3}, {}, {}, {}, 0, {}},
    /* 24 */ {{8, 8, 8, 8}, {5, 5, 5, 5}, {}, {}, {}, 0, {}},
    /* 25 */ {{6, 8, 7, 8}, {3, 3, 3, 3}, {}, {}, {}, 0, {}},
    /* 26 */ {{8, 8, 8, 8}, {}, {}, {}, {}, 0, {}},
};
