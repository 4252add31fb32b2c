// CDesktopWallpaper: makes a screen-sized BMP copy of a photo in the data folder's "WallPaper"
// folder and sets it as the desktop wallpaper, centred, tiled or stretched. One object per
// command: one Prepare, then one Apply.
#pragma once

#include "mfc.h"

class CImageObject;

class CDesktopWallpaper {
public:
    CDesktopWallpaper();
    virtual ~CDesktopWallpaper();

    // From a .JPG, .GIF or .BMP file; 1 when the bitmap is written. A file that does not load
    // prepares nothing.
    int PrepareFromFile(CString path);
    // From a picture in memory (never changed); name is the document's file name, and without
    // one the bitmap is the first free "MivoWall%d.bmp". 1 when the bitmap is written.
    int PrepareFromImage(CImageObject* image, CString name);

    // 1 when the wallpaper was set; 0 without a prepared bitmap, writing nothing.
    int ApplyCentered();
    int ApplyTiled();
    int ApplyStretched();

    CString m_strFolder;
    CString m_strBitmapPath;

private:
    void MakeFolder();
    // The file name without its extension; empty when nothing is left.
    static CString BaseName(const CString& path);
    CString FirstFreeNumberedPath() const;
    // Writes the picture reduced to the screen (never enlarged) to target.
    int SaveFitted(CImageObject& image, const CString& target);
    int Apply(const char* tile, const char* style);
};
