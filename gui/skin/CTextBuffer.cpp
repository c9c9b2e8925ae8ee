#include "gui/skin/CTextBuffer.h"

namespace {
const COLORREF kWhite = 0xFFFFFF;
const COLORREF kBlack = 0;
const uint32_t kMidGrey = 0x808080;
} // namespace

CTextBuffer::CTextBuffer()
    : x(0), y(0), width(0), height(0), offsetX(0), offsetY(0), horizontalAlignment(kTextAlignCentre),
      verticalAlignment(kTextAlignCentre), multiLine(0), shadow(1), textColor(kWhite), shadowColor(kBlack),
      backgroundColor(kMidGrey), font(nullptr), transparent(1), lineCount(0), text("CTextBuffer")
{}
