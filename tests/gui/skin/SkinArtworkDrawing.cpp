#include "SkinArtworkDrawing.h"
#include <algorithm>
#include <cmath>
#include <map>

namespace {

enum class Art { Face, Sunken, Frame, Line, Mark, Glyph, Strip, Badge, Grip };

// The white shapes of icons and marks.
enum Glyph {
    kNoGlyph,
    kCross, // close
    kPlus,
    kSquare,   // maximize
    kTriangle, // pointing right
    kDisc,
    kMinimizeBar, // a bar along the bottom
    kRestore,     // two overlapping squares
    kDot,         // a choice that is on
    kTick,        // a check that is on
    kDockLeft,    // an arrow to a bar at the edge it docks to
    kDockRight,
    kDockUp,
    kDockDown,
    kDropArrow,  // opens a list below
    kSpinArrows, // steps through a list
};

struct Design {
    const char* name;
    int width;
    int height;
    Art art;
    int shade;   // grey level of the body
    int radius;  // of the corners; below the picture's insets so the repeated rows stay plain
    int variant; // which Glyph, or which grip
};

const int kMidGrey = 0x80;
const int kEdgeStep = 0x30; // the light and dark edges differ this much from the body
const uint32_t kClear = 0;
const uint32_t kWhite = 0xFFFFFFFF;
const uint32_t kBlack = 0xFF000000;
const uint32_t kMagenta = 0xFFFF00FF;
const int kStripCell = 44; // the strip's height + 1
const int kStripGlyphRadius = 15;
const int kMarkGlyphRadius = 30; // the 100-pixel check mark

const Design kDesigns[kSkinPictureCount] = {
    {"Set3State2", 32, 20, Art::Sunken, 0xB8, 3, 0},
    {"Set3State3", 32, 20, Art::Sunken, 0x90, 3, 0},
    {"Set3State0", 32, 20, Art::Face, kMidGrey, 3, 0},
    {"Set3State1", 32, 20, Art::Sunken, 0x68, 3, 0},
    {"Set3State9", 32, 20, Art::Sunken, 0xC8, 3, 0},
    {"Set6", 16, 21, Art::Face, 0x70, 3, 0},
    {"Set7State0", 12, 14, Art::Face, kMidGrey, 2, 0},
    {"Set7State1", 12, 14, Art::Face, 0x68, 2, 0},
    {"Set7State7", 12, 14, Art::Mark, 0, 0, 0},
    {"Set1State0", 35, 52, Art::Frame, kMidGrey, 6, 0},
    {"Set1State1", 35, 52, Art::Frame, 0x90, 6, 0},
    {"Set1State2", 35, 52, Art::Frame, 0x70, 6, 0},
    {"Set2State0", 19, 27, Art::Frame, kMidGrey, 6, 0},
    {"Set2State1", 19, 27, Art::Frame, 0x90, 6, 0},
    {"Set8State0", 32, 18, Art::Face, kMidGrey, 3, 0},
    {"Set8State8", 32, 18, Art::Frame, kMidGrey, 3, 0},
    {"Set9State8", 16, 9, Art::Frame, kMidGrey, 3, 0},
    {"Set10", 12, 11, Art::Face, kMidGrey, 3, 0},
    {"Set11Icon0", 17, 16, Art::Glyph, 0, 0, kCross},
    {"Set11Icon1", 17, 16, Art::Glyph, 0, 0, kPlus},
    {"Set11Icon2", 17, 16, Art::Glyph, 0, 0, kSquare},
    {"Set11Icon3", 17, 16, Art::Glyph, 0, 0, kTriangle},
    {"Set11Icon4", 17, 16, Art::Glyph, 0, 0, kDisc},
    {"Set12", 15, 14, Art::Face, kMidGrey, 4, 0},
    {"Set13State0", 31, 22, Art::Face, kMidGrey, 4, 0},
    {"Set13State8", 31, 22, Art::Face, 0x98, 4, 0},
    {"Set26State0", 36, 22, Art::Face, kMidGrey, 4, 0},
    {"Set26State8", 36, 22, Art::Face, 0x98, 4, 0},
    {"Set15", 17, 17, Art::Face, kMidGrey, 4, 0},
    {"Set16", 17, 17, Art::Face, kMidGrey, 3, 0},
    {"Set18", 48, 3, Art::Line, kMidGrey, 0, 0},
    {"Set17", 11, 2, Art::Line, kMidGrey, 0, 0},
    {"Set20", 3, 48, Art::Line, kMidGrey, 0, 0},
    {"Set19", 2, 11, Art::Line, kMidGrey, 0, 0},
    {"Set21", 14, 12, Art::Face, kMidGrey, 3, 0},
    {"Set22", 14, 12, Art::Face, 0x70, 3, 0},
    {"Set23", 33, 29, Art::Face, kMidGrey, 4, 0},
    {"Set24", 33, 30, Art::Face, kMidGrey, 4, 0},
    {"Set25", 17, 19, Art::Face, 0x70, 4, 0},
    {"IconStrip", 1500, 43, Art::Strip, 0, 0, 0},
    {"Ref1000", 100, 100, Art::Glyph, 0, 0, kTick},
    {"Ref1002", 200, 240, Art::Badge, kMidGrey, 10, 0},
    {"Ref1007", 216, 212, Art::Badge, kMidGrey, 10, 1},
    {"Ref1003", 9, 9, Art::Grip, 0, 0, 0},
    {"Ref1004", 9, 9, Art::Grip, 0, 0, 1},
    {"Ref1005", 48, 48, Art::Glyph, 0, 0, kDisc},
    {"Ref1006", 48, 47, Art::Glyph, 0, 0, kSquare},
};

// The strip's cells by the image ids that name them; other cells stay empty.
struct StripCell {
    int id;
    Glyph glyph;
};
const StripCell kStripCells[] = {
    {0, kMinimizeBar}, {1, kSquare},      {2, kCross},     {3, kRestore},    {7, kDropArrow}, {14, kDot},
    {18, kSpinArrows}, {19, kSpinArrows}, {24, kDockLeft}, {25, kDockRight}, {26, kDockUp},   {27, kDockDown},
};

uint32_t Grey(int level)
{
    level = std::min(255, std::max(0, level));
    return 0xFF000000u | uint32_t(level) * 0x010101u;
}

struct Canvas {
    int width;
    int height;
    std::vector<uint32_t> pixels;
    uint32_t& At(int x, int y) { return pixels[y * width + x]; }
};

// Inside a w x h rectangle whose corners are rounded with radius r.
bool InsideRounded(int x, int y, int w, int h, int r)
{
    if (x < 0 || y < 0 || x >= w || y >= h)
        return false;
    const double px = x + 0.5, py = y + 0.5;
    const double cx = px < r ? r : px > w - r ? w - r : px;
    const double cy = py < r ? r : py > h - r ? h - r : py;
    return (px - cx) * (px - cx) + (py - cy) * (py - cy) <= double(r) * r;
}

// Raised faces are lit from the top left; sunken ones (pressed or checked) from
// the bottom right.
void DrawFace(Canvas& c, const Design& d, uint32_t outside)
{
    const int edge = d.art == Art::Sunken ? -kEdgeStep : kEdgeStep;
    for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < c.width; ++x) {
            if (!InsideRounded(x, y, c.width, c.height, d.radius))
                c.At(x, y) = outside;
            else if (!InsideRounded(x - 1, y, c.width, c.height, d.radius) ||
                     !InsideRounded(x, y - 1, c.width, c.height, d.radius))
                c.At(x, y) = Grey(d.shade + edge);
            else if (!InsideRounded(x + 1, y, c.width, c.height, d.radius) ||
                     !InsideRounded(x, y + 1, c.width, c.height, d.radius))
                c.At(x, y) = Grey(d.shade - edge);
            else
                c.At(x, y) = Grey(d.shade);
        }
    }
}

// A separator: light then dark across its thickness, plain along it.
void DrawLine(Canvas& c, const Design& d)
{
    const bool across = c.width > c.height;
    const int thickness = across ? c.height : c.width;
    for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < c.width; ++x) {
            const int k = across ? y : x;
            c.At(x, y) = Grey(k == 0 ? d.shade + kEdgeStep : k == thickness - 1 ? d.shade - kEdgeStep : d.shade);
        }
    }
}

bool InSquareOutline(double dx, double dy, double half, double stroke)
{
    const double m = std::max(std::fabs(dx), std::fabs(dy));
    return m <= half && m > half - stroke;
}

// A triangle pointing to +u from u = from to its tip at u = to, as wide as long.
bool InTriangle(double u, double v, double from, double to)
{
    return u >= from && u <= to && std::fabs(v) <= (to - u) / 2 + 0.5;
}

// Distance from (x, y) to the segment from (x0, y0) to (x1, y1).
double SegmentDistance(double x, double y, double x0, double y0, double x1, double y1)
{
    const double ux = x1 - x0, uy = y1 - y0;
    const double t = std::clamp(((x - x0) * ux + (y - y0) * uy) / (ux * ux + uy * uy), 0.0, 1.0);
    return std::hypot(x - x0 - t * ux, y - y0 - t * uy);
}

// An arrow along +u to a bar across at u = r.
bool InDockArrow(double u, double v, double r, double stroke)
{
    return (u > r - stroke && u <= r && std::fabs(v) <= r) || InTriangle(u, v, -r, r - 1.5 * stroke);
}

// The glyph shapes, around a centre, of a size r.
bool InGlyph(int glyph, double dx, double dy, double r)
{
    const double ax = std::fabs(dx), ay = std::fabs(dy);
    const double stroke = std::max(1.0, r / 3);
    const double half = stroke / 2 + 0.5;
    switch (glyph) {
    case kCross: return ax <= r && ay <= r && std::fabs(ax - ay) < stroke * 0.75;
    case kPlus: return (ax <= r && ay < half) || (ay <= r && ax < half);
    case kSquare: return InSquareOutline(dx, dy, r, stroke * 0.75);
    case kTriangle: return InTriangle(dx, dy, -r, r);
    case kDisc: return dx * dx + dy * dy <= r * r;
    case kMinimizeBar: return ax <= r && dy > r - stroke && dy <= r;
    case kRestore: {
        const double shift = r * 0.3, side = r * 0.7, line = stroke * 0.6;
        const bool front = InSquareOutline(dx + shift, dy - shift, side, line);
        const bool insideFront = std::max(std::fabs(dx + shift), std::fabs(dy - shift)) <= side;
        return front || (InSquareOutline(dx - shift, dy + shift, side, line) && !insideFront);
    }
    case kDot: return dx * dx + dy * dy <= r * r * 0.36;
    case kTick:
        return std::min(SegmentDistance(dx, dy, -r, 0, -r / 3, r * 2 / 3),
                        SegmentDistance(dx, dy, -r / 3, r * 2 / 3, r, -r * 2 / 3)) < stroke / 2;
    case kDockLeft: return InDockArrow(-dx, dy, r, stroke);
    case kDockRight: return InDockArrow(dx, dy, r, stroke);
    case kDockUp: return InDockArrow(-dy, dx, r, stroke);
    case kDockDown: return InDockArrow(dy, dx, r, stroke);
    case kDropArrow: return InTriangle(dy, dx, -r / 2, r / 2);
    case kSpinArrows: return InTriangle(-dy, dx, r / 6, r * 5 / 6) || InTriangle(dy, dx, r / 6, r * 5 / 6);
    default: return false;
    }
}

// A white glyph with its black shadow down and right, in a cell.
void DrawGlyph(Canvas& c, int left, int width, int glyph, double r)
{
    const double cx = left + width / 2.0 - 0.5, cy = c.height / 2.0 - 0.5;
    const int shadow = std::max(1, int(r / 8));
    for (int y = 0; y < c.height; ++y) {
        for (int x = left; x < std::min(left + width, c.width); ++x) {
            if (InGlyph(glyph, x - cx, y - cy, r))
                c.At(x, y) = kWhite;
            else if (InGlyph(glyph, x - shadow - cx, y - shadow - cy, r))
                c.At(x, y) = kBlack;
        }
    }
}

void DrawMark(Canvas& c)
{
    // A tick from (2, 7) down to (5, 10) and up to (10, 3).
    for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < c.width; ++x) {
            const double line = x <= 5 ? 5 + x : 15 - x;
            if (x >= 2 && x <= 10 && std::fabs(y - line) < 1.5)
                c.At(x, y) = kWhite;
        }
    }
}

// A panel with lines of "text": white bars with black shadows.
void DrawBadge(Canvas& c, const Design& d)
{
    DrawFace(c, d, kClear);
    const int lineStep = 16, margin = 20;
    for (int line = 0; margin + line * lineStep + 8 < c.height - margin; ++line) {
        const int top = margin + line * lineStep;
        const int right = c.width - margin - ((line * 37 + d.variant * 11) % 60);
        for (int y = top; y < top + 8; ++y) {
            for (int x = margin; x < right; ++x) {
                c.At(x + 1, y + 1) = kBlack;
                c.At(x, y) = kWhite;
            }
        }
    }
}

void DrawGrip(Canvas& c, int variant)
{
    const int reach = variant ? 10 : 8; // the smaller grip has fewer dots
    for (int y = 1; y < c.height; y += 3) {
        for (int x = 1; x < c.width; x += 3) {
            if (x + y < reach)
                continue;
            c.At(x, y) = kWhite;
            if (x + 1 < c.width && y + 1 < c.height)
                c.At(x + 1, y + 1) = kBlack;
        }
    }
}

double GlyphRadius(const Design& d)
{
    return d.variant == kTick ? kMarkGlyphRadius : std::min(d.width, d.height) / 2 - 3;
}

void DrawStrip(Canvas& c)
{
    for (const StripCell& cell : kStripCells)
        DrawGlyph(c, cell.id * kStripCell, kStripCell, cell.glyph, kStripGlyphRadius);
}

} // namespace

const char* SkinPictureName(SkinPicture picture)
{
    return kDesigns[int(picture)].name;
}

SkinPictureArt DrawSkinPicture(SkinPicture picture)
{
    const Design& d = kDesigns[int(picture)];
    Canvas c = {d.width, d.height, std::vector<uint32_t>(size_t(d.width) * d.height, kClear)};
    switch (d.art) {
    case Art::Face:
    case Art::Sunken: DrawFace(c, d, kClear); break;
    case Art::Frame: DrawFace(c, d, kMagenta); break;
    case Art::Line: DrawLine(c, d); break;
    case Art::Mark: DrawMark(c); break;
    case Art::Glyph: DrawGlyph(c, 0, c.width, d.variant, GlyphRadius(d)); break;
    case Art::Strip: DrawStrip(c); break;
    case Art::Badge: DrawBadge(c, d); break;
    case Art::Grip: DrawGrip(c, d.variant); break;
    }
    return {c.width, c.height, c.pixels, d.art == Art::Badge};
}

PngPicture ToPng(const SkinPictureArt& art)
{
    PngPicture png;
    png.width = art.width;
    png.height = art.height;
    if (!art.palette) {
        png.colorType = 6;
        for (uint32_t p : art.pixels)
            png.rows.insert(png.rows.end(), {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p), uint8_t(p >> 24)});
        return png;
    }
    png.colorType = 3;
    std::map<uint32_t, uint8_t> index;
    for (uint32_t p : art.pixels) {
        auto found = index.find(p);
        if (found == index.end()) {
            found = index.emplace(p, uint8_t(index.size())).first;
            png.palette.insert(png.palette.end(), {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p)});
            png.alphas.push_back(uint8_t(p >> 24));
        }
        png.rows.push_back(found->second);
    }
    return png;
}
