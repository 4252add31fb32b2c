// What the filters and the composer read from the image object they work on,
// read afresh at each operation (a filter may have replaced the block since).
// Internal to the image library.
#pragma once

#include "image/ImageObject.h"

namespace mivo {
namespace image {

inline bool HasPixels(const CImageObject* img)
{
    return img && img->m_pImageBuf && img->m_nWidth > 0 && img->m_nHeight > 0;
}

inline CWnd* ProgressWindowOf(const CImageObject* img) { return img ? img->m_pProgressWnd : nullptr; }

inline int* InterruptOf(const CImageObject* img) { return img ? img->m_pInterrupt : nullptr; }

}  // namespace image
}  // namespace mivo
