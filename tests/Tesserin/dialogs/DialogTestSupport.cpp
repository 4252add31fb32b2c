#include "DialogTestSupport.h"

#include "mivo/modules.h"

#include <cstring>

namespace dialogtest {

ProfileApp::ProfileApp()
{
    m_app.m_strRunDir = m_folder.windowsPath().c_str();
    m_app.m_bSingleInstance = 0;
    m_app.SetDBProfile(kProfileFile);
}

TestResources::~TestResources()
{
    if (m_registered)
        mivo::UnregisterModuleResources(&m_table);
}

void TestResources::AddDialog(WORD id, mivo::test::DialogTemplateBuilder& builder)
{
    m_data.push_back(builder.Bytes());
    m_entries.push_back(mivo::ResourceEntry{5, nullptr, id, nullptr, m_data.back().data(),
                                            (DWORD)m_data.back().size()});
}

void TestResources::AddBitmap(WORD id, int width, int height, const std::function<COLORREF(int x, int y)>& colour)
{
    const int rowBytes = (width * 3 + 3) & ~3;
    std::vector<BYTE> bytes(sizeof(BITMAPINFOHEADER) + (size_t)rowBytes * height);
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    std::memcpy(bytes.data(), &header, sizeof(header));
    for (int y = 0; y < height; ++y) {
        BYTE* row = bytes.data() + sizeof(header) + (size_t)(height - 1 - y) * rowBytes;
        for (int x = 0; x < width; ++x) {
            const COLORREF c = colour(x, y);
            row[x * 3] = GetBValue(c);
            row[x * 3 + 1] = GetGValue(c);
            row[x * 3 + 2] = GetRValue(c);
        }
    }
    m_data.push_back(std::move(bytes));
    m_entries.push_back(mivo::ResourceEntry{2, nullptr, id, nullptr, m_data.back().data(),
                                            (DWORD)m_data.back().size()});
}

void TestResources::Register()
{
    if (m_registered)
        mivo::UnregisterModuleResources(&m_table);
    m_table = {m_entries.data(), m_entries.size()};
    mivo::RegisterModuleResources(mivo::ProgramModule(), &m_table, true);
    m_registered = true;
}

}  // namespace dialogtest
