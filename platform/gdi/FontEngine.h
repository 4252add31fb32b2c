// Fonts realized through Qt: face mapping, metrics, advances and glyph masks.
// All work with Qt's font engine runs under one process-wide lock.
#pragma once

#include "win32/gditext.h"

#include <memory>
#include <string>
#include <vector>

namespace mivo {
namespace gdi {

struct FontMetricsInfo {
    int height = 0;  // ascent + descent
    int ascent = 0;
    int descent = 0;
    int internalLeading = 0;
    int externalLeading = 0;
    int aveCharWidth = 0;
    int maxCharWidth = 0;
    int emSize = 0;
    bool fixedPitch = false;
    bool korean = false;  // the face carries Hangul
    bool underline = false;  // drawn by PaintRun inside the descent, not by the font engine
};

class RealizedFont;

// A font for a LOGFONT whose height and width are already in device pixels
// (a negative height is the character height, a positive one the cell height).
std::shared_ptr<RealizedFont> RealizeFont(const LOGFONTA& lf, int deviceHeight, int deviceWidth);
const FontMetricsInfo& MetricsOf(const RealizedFont& font);
// The advance of each UTF-16 unit in device pixels; a surrogate pair's second unit gets 0.
void Advances(const RealizedFont& font, const std::u16string& text, std::vector<int>& out);

// Coverage (0..255) of text drawn with each unit at `positions[i]` pixels along
// the baseline, the baseline starting at (0, 0); rotated by `escapement` tenths
// of a degree counter-clockwise. left/top place the mask relative to that point.
struct GlyphMask {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::vector<uint8_t> alpha;
};
GlyphMask RenderText(const RealizedFont& font, const std::u16string& text, const std::vector<int>& positions,
                     int escapement);

// The coverage of one character drawn with its origin on the baseline at
// (0, 0), unrotated; left/top place it relative to that point. Glyphs are
// rendered once per font and kept: the caller holds QtTextLock() while it
// uses one, and until then looks up no other glyph of the same font.
struct Glyph {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::vector<uint8_t> alpha;
};
const Glyph& GlyphOf(const RealizedFont& font, char32_t c);

// The Qt family a LOGFONT face name maps to (UTF-8), for tests and diagnostics.
std::string MappedFamily(const LOGFONTA& lf);
// Face names offered by EnumFontFamilies (CP949): Windows names first, then installed families.
std::vector<std::string> FontFamilyNames();
bool IsKoreanFamilyName(const std::string& ansiFace);

}  // namespace gdi
}  // namespace mivo
