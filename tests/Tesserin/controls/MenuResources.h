// Menu, toolbar and bitmap resources made in memory for the menu tests, and
// registered in the process's resource chain while an object lives.
#pragma once

#include <win32.h>
#include <mivo/resources.h>

#include <vector>

namespace menutest {

const COLORREF kLightGrey = RGB(192, 192, 192);

// A strip of `colours.size()` 16 x 15 cells: light grey with a square of the
// cell's colour inside (x 3..12, y 3..11).
std::vector<BYTE> StripBitmap(const std::vector<COLORREF>& colours, int bitsPerPixel);
// The framework's toolbar layout: version 1, button size, then the commands (0: separator).
std::vector<BYTE> ToolbarData(const std::vector<WORD>& commands, int width = 16, int height = 15);
// A menu template whose bytes stop `cut` bytes early (0: whole).
std::vector<BYTE> Truncated(std::vector<BYTE> data, size_t cut);

class Resources {
public:
    explicit Resources(const char* moduleName);
    ~Resources();
    Resources(const Resources&) = delete;
    Resources& operator=(const Resources&) = delete;

    void Add(WORD type, WORD id, std::vector<BYTE> data);
    // Registers what was added; call once, after the adds.
    void Register();

private:
    const char* m_name;
    std::vector<std::vector<BYTE>> m_blobs;
    std::vector<mivo::ResourceEntry> m_entries;
    mivo::ResourceTable m_table = {nullptr, 0};
    bool m_registered = false;
};

}  // namespace menutest
