// Shared text layout and drawing for TextOut, ExtTextOut, TabbedTextOut and DrawText.
#pragma once

#include "gdi/DeviceContext.h"
#include "gdi/FontEngine.h"

#include <memory>
#include <string>
#include <vector>

namespace mivo {
namespace gdi {

// The DC's selected font at the DC's scale.
std::shared_ptr<RealizedFont> DcFont(const DeviceContext& dc);

// A line of text with device-pixel positions.
struct TextRun {
    std::u16string text;
    std::vector<int> advances;   // per UTF-16 unit
    std::vector<int> positions;  // start of each unit, from the run's start
    int width = 0;
};

// Lays out text with the font's advances plus the DC's character spacing.
TextRun LayoutRun(const DeviceContext& dc, const RealizedFont& font, const std::u16string& text);
// The same into a run whose storage is reused.
void LayoutRunInto(const DeviceContext& dc, const RealizedFont& font, const std::u16string& text, TextRun& run);
// Lays out text with caller-given logical advances (ExtTextOut's lpDx).
TextRun LayoutRunWithDx(const DeviceContext& dc, const std::u16string& text, const std::vector<int>& logicalDx);

struct TextPaint {
    POINT baseline{0, 0};  // raster position of the baseline start
    int escapement = 0;
    bool opaque = false;  // fill the text cell with the background colour
    const RECT* clip = nullptr;  // extra clip in raster coordinates
    const std::vector<size_t>* underline = nullptr;  // units to underline ('&' prefixes)
};

// Compares CP949 face names, ignoring the case of ASCII letters.
bool AnsiCompareFace(const std::string& a, const std::string& b);

// Draws a run into a locked target with the DC's text and background colours.
void PaintRun(const DeviceContext& dc, DrawTarget& t, const RealizedFont& font, const TextRun& run,
              const TextPaint& how);

}  // namespace gdi
}  // namespace mivo
