// The textures of the shade button: a palette from shadow through face to
// highlight, and nine styles of palette indices (noise, gradients, bumps, a
// bevel, brushed metal) drawn with the 15-bit generator's noise.
#pragma once

#include "image/xDib.h"

// Entries 0..127 run from shadow toward face, 128..255 from face to highlight.
void BuildShadePalette(CxDib& dib, COLORREF shadow, COLORREF face, COLORREF highlight);

// Fills every pixel of an 8-bit DIB; styles above 8 draw as style 0.
void RenderShadeStyle(CxDib& dib, UINT style, BYTE granularity);
