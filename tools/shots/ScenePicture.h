// A photograph stand-in for the browser scenes: a sky, a sea and a sun, so that thumbnails
// and slides are told apart at a glance.
#pragma once

#include "image/ImageObject.h"

#include <memory>
#include <string>

inline void WriteScene(const std::string& path, int width, int height, COLORREF sky, COLORREF sea)
{
    CImageObject maker;
    std::unique_ptr<CImageObject> picture(maker.MakeBlankImageObject(sky, width, height));
    for (int y = height / 2; y < height; y++)
        for (int x = 0; x < width; x++)
            picture->SetPixelColor(x, y, sea);
    for (int y = height / 6; y < height / 3; y++)
        for (int x = width * 2 / 3; x < width * 2 / 3 + height / 6; x++)
            picture->SetPixelColor(x, y, RGB(255, 230, 80));
    picture->Save(path.c_str());
}
