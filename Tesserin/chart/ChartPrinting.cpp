// Printing the chart on one page and saving it as a .bmp file. Both reuse
// each part's Draw into a DC whose origin is moved to the part's rectangle.
#include "chart/VXChartCtrl.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

const DWORD kPrintFlags = 0x140108 | PD_NOSELECTION;

DWORD ColourTableEntries(WORD bitCount)
{
    return bitCount <= 8 ? (DWORD)1 << bitCount : 0;
}

}  // namespace

void CVXChartCtrl::SetPrintingOnParts(CMemDC* dc)
{
    m_header.SetPrinting(dc);
    m_plot.SetPrinting(dc);
    m_legend.SetPrinting(dc);
    m_footer.SetPrinting(dc);
}

void CVXChartCtrl::Print()
{
    CRect page(0, 0, 0, 0);
    if (_OnPreparePrinting(page) == 0) {
        _OnBeginPrinting(page);
        _OnEndPrinting();
    }
}

int CVXChartCtrl::_OnPreparePrinting(CRect& page)
{
    PRINTDLG pd = {};
    pd.lStructSize = sizeof(pd);
    pd.hwndOwner = GetSafeHwnd();
    pd.Flags = kPrintFlags;
    BOOL chosen = PrintDlg(&pd);
    if (pd.hDevMode)
        GlobalFree(pd.hDevMode);
    if (pd.hDevNames)
        GlobalFree(pd.hDevNames);
    if (!chosen || !pd.hDC) {
        if (pd.hDC)
            DeleteDC(pd.hDC);
        return 1;
    }
    m_pPrintDC = std::make_unique<CMemDC>();
    m_pPrintDC->Attach(pd.hDC);
    m_printFont.DeleteObject();
    m_printFont.CreatePointFont(m_plot.GetFontSize() * 10, m_plot.GetFontFace(), m_pPrintDC.get());
    if (m_printFont.GetSafeHandle())
        m_pPrintDC->SelectObject(&m_printFont);
    DOCINFO di = {};
    di.cbSize = sizeof(di);
    if (m_pPrintDC->StartDoc(&di) <= 0) {
        // A job that cannot start leaves nothing behind.
        m_pPrintDC->DeleteDC();
        m_pPrintDC.reset();
        m_printFont.DeleteObject();
        return 1;
    }
    m_pPrintDC->StartPage();
    const int dpiX = m_pPrintDC->GetDeviceCaps(LOGPIXELSX), dpiY = m_pPrintDC->GetDeviceCaps(LOGPIXELSY);
    page.SetRect(dpiX / 2, dpiY / 2, m_pPrintDC->GetDeviceCaps(HORZRES) - dpiX / 2,
                 m_pPrintDC->GetDeviceCaps(VERTRES) - dpiY / 2);
    return 0;
}

void CVXChartCtrl::_OnBeginPrinting(CRect& page)
{
    SetPrintingOnParts(m_pPrintDC.get());
    _RecalculateAllWindows(&page);
    struct Part {
        ChartWndBase& window;
        const CRect& rect;
    } parts[] = {{m_header, m_headerRect}, {m_plot, m_chartRect}, {m_legend, m_legendRect}, {m_footer, m_footerRect}};
    for (const Part& part : parts) {
        if (part.rect.IsRectEmpty())
            continue;
        m_pPrintDC->x = part.rect.left;
        m_pPrintDC->y = part.rect.top;
        part.window.Draw(m_pPrintDC.get());
    }
    m_pPrintDC->x = m_pPrintDC->y = 0;
}

int CVXChartCtrl::_OnEndPrinting()
{
    if (m_pPrintDC) {
        m_pPrintDC->EndPage();
        m_pPrintDC->EndDoc();
        m_pPrintDC->DeleteDC();
        m_pPrintDC.reset();
    }
    SetPrintingOnParts(nullptr);
    _RecalculateAllWindows();
    return 0;
}

int CVXChartCtrl::ExportBMPToFile(CString* path)
{
    if (!path || !GetSafeHwnd())
        return 1;
    CClientDC screen(this);
    CRect client;
    GetClientRect(&client);
    CBitmap full;
    CPalette* palette = nullptr;
    {
        CMemDC whole(&screen, &client, &full);
        struct Part {
            ChartWndBase& window;
            const CRect& rect;
        } parts[] = {{m_header, m_headerRect}, {m_plot, m_chartRect}, {m_legend, m_legendRect},
                     {m_footer, m_footerRect}};
        for (const Part& part : parts) {
            if (part.rect.IsRectEmpty())
                continue;
            CRect size(0, 0, part.rect.Width(), part.rect.Height());
            CBitmap bitmap;
            CMemDC memory(&screen, &size, &bitmap);
            part.window.Draw(&memory);
            whole.BitBlt(part.rect.left, part.rect.top, size.Width(), size.Height(), &memory, 0, 0, SRCCOPY);
        }
        palette = whole.GetCurrentPalette();
    }  // the bitmap leaves the memory DC before its bits are read
    HANDLE dib = DDBToDIB(full, BI_RGB, palette);
    if (!dib)
        return 1;
    int result = WriteDIB(path, dib);
    GlobalFree(dib);
    return result;
}

HANDLE CVXChartCtrl::DDBToDIB(CBitmap& bitmap, DWORD compression, CPalette* palette)
{
    if (compression == BI_BITFIELDS || !bitmap.GetSafeHandle())
        return nullptr;
    HPALETTE hPalette = (palette && palette->GetSafeHandle()) ? (HPALETTE)palette->GetSafeHandle()
                                                              : (HPALETTE)::GetStockObject(DEFAULT_PALETTE);
    BITMAP bm;
    if (!bitmap.GetBitmap(&bm))
        return nullptr;
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = bm.bmWidth;
    header.biHeight = bm.bmHeight;
    header.biPlanes = 1;
    header.biBitCount = (WORD)(bm.bmPlanes * bm.bmBitsPixel);
    header.biCompression = compression;
    const uint64_t headerSize = sizeof(BITMAPINFOHEADER) + 4ull * ColourTableEntries(header.biBitCount);

    HDC screen = ::GetDC(nullptr);
    HPALETTE oldPalette = ::SelectPalette(screen, hPalette, FALSE);
    ::RealizePalette(screen);
    HANDLE dib = nullptr;
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, (SIZE_T)headerSize);
    auto* info = block ? (BITMAPINFO*)::GlobalLock(block) : nullptr;
    if (info) {
        std::memcpy(info, &header, sizeof(header));
        ::GetDIBits(screen, (HBITMAP)bitmap.GetSafeHandle(), 0, (UINT)bm.bmHeight, nullptr, info, DIB_RGB_COLORS);
        uint64_t imageSize = info->bmiHeader.biSizeImage;
        if (imageSize == 0) {
            imageSize = (((uint64_t)header.biBitCount * (uint64_t)bm.bmWidth + 31) & ~31ull) / 8 * (uint64_t)bm.bmHeight;
            if (compression != BI_RGB)
                imageSize = imageSize * 3 / 2;
        }
        ::GlobalUnlock(block);
        HGLOBAL grown = imageSize < (1ull << 31) ? ::GlobalReAlloc(block, (SIZE_T)(headerSize + imageSize), GMEM_MOVEABLE)
                                                 : nullptr;
        if (grown) {
            block = grown;
            info = (BITMAPINFO*)::GlobalLock(block);
            if (info && ::GetDIBits(screen, (HBITMAP)bitmap.GetSafeHandle(), 0, (UINT)bm.bmHeight,
                                    (BYTE*)info + headerSize, info, DIB_RGB_COLORS) != 0)
                dib = block;
            if (info)
                ::GlobalUnlock(block);
        }
    }
    if (!dib && block)
        ::GlobalFree(block);
    ::SelectPalette(screen, oldPalette, FALSE);
    ::ReleaseDC(nullptr, screen);
    return dib;
}

int CVXChartCtrl::WriteDIB(CString* path, HANDLE dib)
{
    if (!path || !dib)
        return 1;
    const SIZE_T blockSize = ::GlobalSize(dib);
    auto* block = (const BYTE*)::GlobalLock(dib);
    if (!block || blockSize < sizeof(BITMAPINFOHEADER)) {
        if (block)
            ::GlobalUnlock(dib);
        return 1;
    }
    BITMAPINFOHEADER info;
    std::memcpy(&info, block, sizeof(info));
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;  // "BM"
    file.bfSize = (DWORD)(blockSize + sizeof(BITMAPFILEHEADER));
    file.bfOffBits = (DWORD)(sizeof(BITMAPFILEHEADER) + info.biSize + 4 * ColourTableEntries(info.biBitCount));

    // Written beside the target first, so a failed write never leaves half a file.
    CString temporary = *path + ".part";
    HANDLE out = ::CreateFile(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    bool written = false;
    if (out != INVALID_HANDLE_VALUE) {
        DWORD done = 0, doneBlock = 0;
        written = ::WriteFile(out, &file, sizeof(file), &done, nullptr) && done == sizeof(file) &&
                  ::WriteFile(out, block, (DWORD)blockSize, &doneBlock, nullptr) && doneBlock == blockSize;
        written = ::CloseHandle(out) && written;
        if (written)
            written = ::MoveFileEx(temporary, *path, MOVEFILE_REPLACE_EXISTING) != FALSE;
        if (!written)
            ::DeleteFile(temporary);
    }
    ::GlobalUnlock(dib);
    return written ? 0 : 1;
}
