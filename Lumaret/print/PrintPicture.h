// CPrintPicture: the picture prepared for the slots of a page, for the preview
// (0.2 mm per pixel) and for the printer (0.1 mm per pixel): loaded reduced where the
// slot is smaller than the file, cropped to the slot's proportions, stretched or
// fitted. With a single picture, one prepared picture serves every following slot of
// the same size. The borrowed picture is never released.
#pragma once

#include "mfc.h"

#include "print/PrintLayout.h"

class CImageObject;

class CPrintPicture {
public:
    // `paths` gives the pictures (its size is their number); with `borrowed` set the
    // list holds one empty entry. New pictures report to `progressWnd` and stop when
    // `*cancel` is set.
    CPrintPicture(CImageObject* borrowed, const CStringArray& paths, PrintLayout::FitMode mode, bool printing,
                  CWnd* progressWnd, int* cancel);
    ~CPrintPicture();
    CPrintPicture(const CPrintPicture&) = delete;
    CPrintPicture& operator=(const CPrintPicture&) = delete;

    // The picture for a slot of w x h; `reused` says whether it served the slot before.
    // Null when the picture could not be made (the slot stays white).
    CImageObject* ForSlot(int width, int height, int index, bool* reused);
    // The end of a page: the prepared picture goes (unless borrowed).
    void Release();
    // How many pictures were prepared (loaded or made) so far.
    int PreparedCount() const { return m_nPrepared; }

    // Central crop of `source` to w : h; the source itself when nothing is cut.
    static CImageObject* CropToSlot(CImageObject* source, int width, int height);

private:
    CImageObject* Prepare(int width, int height, int index);
    CImageObject* FromBorrowed(int width, int height);
    CImageObject* FromFile(const char* path, int width, int height);
    CImageObject* NewImage() const;
    // Drops `picture` unless it is the borrowed one.
    void Discard(CImageObject* picture) const;

    CImageObject* m_pBorrowed;
    const CStringArray& m_arrPaths;
    PrintLayout::FitMode m_nMode;
    bool m_bPrinting;
    CWnd* m_pProgressWnd;
    int* m_pCancel;
    CImageObject* m_pCurrent = nullptr;
    int m_nPrevWidth = -1;
    int m_nPrevHeight = -1;
    int m_nPrepared = 0;
};
