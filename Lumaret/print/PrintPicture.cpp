#include "print/PrintPicture.h"

#include "image/ImageObject.h"

#include <memory>

namespace {

const int kResampleMode = 3;

long Scaled(int size, int ratio)
{
    return (long)((unsigned long long)(unsigned)size * (unsigned)ratio / 1000u);
}

}  // namespace

CPrintPicture::CPrintPicture(CImageObject* borrowed, const CStringArray& paths, PrintLayout::FitMode mode,
                             bool printing, CWnd* progressWnd, int* cancel)
    : m_pBorrowed(borrowed),
      m_arrPaths(paths),
      m_nMode(mode),
      m_bPrinting(printing),
      m_pProgressWnd(progressWnd),
      m_pCancel(cancel)
{
}

CPrintPicture::~CPrintPicture()
{
    Release();
}

CImageObject* CPrintPicture::NewImage() const
{
    return new (std::nothrow) CImageObject(m_pProgressWnd, m_pCancel);
}

void CPrintPicture::Discard(CImageObject* picture) const
{
    if (picture != m_pBorrowed)
        delete picture;
}

void CPrintPicture::Release()
{
    Discard(m_pCurrent);
    m_pCurrent = nullptr;
}

CImageObject* CPrintPicture::ForSlot(int width, int height, int index, bool* reused)
{
    int pictures = m_pBorrowed ? 1 : (int)m_arrPaths.GetSize();
    bool reuse = pictures == 1 && width == m_nPrevWidth && height == m_nPrevHeight;
    m_nPrevWidth = width;
    m_nPrevHeight = height;
    if (reused)
        *reused = reuse;
    if (reuse && m_pCurrent)
        return m_pCurrent;
    Release();
    m_pCurrent = Prepare(width, height, index);
    if (m_pCurrent)
        ++m_nPrepared;
    return m_pCurrent;
}

CImageObject* CPrintPicture::CropToSlot(CImageObject* source, int width, int height)
{
    CRect cut = PrintLayout::CentralCrop((UINT)source->GetWidth(), (UINT)source->GetHeight(), width, height);
    if (cut.IsRectEmpty())
        return source;
    // The cut is centred in height, so rows counted from either end name the same band.
    CImageObject* cropped = source->CropToNewImgObj(cut.left, cut.top, cut.right, cut.bottom);
    return cropped ? cropped : source;
}

CImageObject* CPrintPicture::Prepare(int width, int height, int index)
{
    if (width <= 0 || height <= 0)
        return nullptr;
    if (m_pBorrowed)
        return m_pBorrowed->IsLoaded() ? FromBorrowed(width, height) : nullptr;
    if (index < 0 || index >= m_arrPaths.GetSize())
        return nullptr;
    CString path = m_arrPaths[index];
    if (path.IsEmpty())
        return nullptr;
    return FromFile(path, width, height);
}

CImageObject* CPrintPicture::FromBorrowed(int width, int height)
{
    CImageObject* b = m_pBorrowed;
    CSize box(width, height);
    switch (m_nMode) {
    case PrintLayout::FIT: {
        int r = b->GetThumbRatio(box, nullptr, FALSE);
        if (r == 1000 || (m_bPrinting && r <= 1000))
            return b;
        return b->Resample(Scaled(b->GetWidth(), r), Scaled(b->GetHeight(), r), kResampleMode);
    }
    case PrintLayout::CROP: {
        CImageObject* c = CropToSlot(b, width, height);
        int r = c->GetThumbRatio(box, nullptr, FALSE);
        if (r == 1000)
            return c;
        CImageObject* p = c->Resample(width, height, kResampleMode);
        Discard(c);
        return p;
    }
    case PrintLayout::STRETCH:
        return b->Resample(width, height, kResampleMode);
    }
    return nullptr;
}

CImageObject* CPrintPicture::FromFile(const char* path, int width, int height)
{
    CSize box(width, height);
    std::unique_ptr<CImageObject> load(NewImage());
    if (!load)
        return nullptr;
    if (m_nMode == PrintLayout::FIT) {
        int r = load->GetThumbRatioFromFile(path, box, nullptr, FALSE);
        if (r <= 0)
            return nullptr;
        if (r < 1000)
            return load->LoadScaled(path, r, 1) ? load.release() : nullptr;
        if (!load->LoadImageFromFile(path, 1))
            return nullptr;
        return load->Resample(Scaled(load->GetWidth(), r), Scaled(load->GetHeight(), r), kResampleMode);
    }
    if (!load->LoadScaled(path, box, 1))
        return nullptr;
    if (m_nMode == PrintLayout::STRETCH)
        return load->Resample(width, height, kResampleMode);
    CImageObject* c = CropToSlot(load.get(), width, height);
    if (c != load.get())
        load.reset(c);
    int r = load->GetThumbRatio(box, nullptr, FALSE);
    if (r == 1000)
        return load.release();
    return load->Resample(width, height, kResampleMode);
}
