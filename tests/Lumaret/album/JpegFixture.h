// JPEG files for the structure inspector, made by the test: an Exif block built directory by
// directory in either byte order, spliced after the start marker of a picture our encoder wrote,
// and the inspector's rows read back as text.
#pragma once

#include <gtest/gtest.h>

#include "mfc.h"
#include "grid/VXGridCtrl.h"
#include "image/ImageObject.h"
#include "support/TiffBuilder.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace jpegtest {

using mivotest::App1;
using mivotest::Bytes;
using mivotest::TiffBuilder;

// A one-colour picture as our encoder writes it.
inline Bytes EncodedPicture(const std::string& folderWindows, const std::string& folderPosix, int width, int height)
{
    CImageObject maker;
    std::unique_ptr<CImageObject> picture(maker.MakeBlankImageObject(RGB(40, 120, 200), width, height));
    std::string name = "encoded-" + std::to_string(width) + "x" + std::to_string(height) + ".jpg";
    EXPECT_EQ(1, picture->Save((folderWindows + name).c_str()));
    std::ifstream in(folderPosix + "/" + name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The picture with the section inserted right after its start marker.
inline Bytes WithSection(const Bytes& picture, const Bytes& section)
{
    Bytes out(picture.begin(), picture.begin() + 2);
    out.insert(out.end(), section.begin(), section.end());
    out.insert(out.end(), picture.begin() + 2, picture.end());
    return out;
}

inline void WriteFile(const std::string& posixPath, const Bytes& bytes)
{
    std::ofstream out(posixPath, std::ios::binary | std::ios::trunc);
    out.write((const char*)bytes.data(), (std::streamsize)bytes.size());
}

// One row as "name|Addr(H)|Addr(D)|Bytes|Value|Ref.Value|Ref.Length|Thumb Image".
inline std::string RowText(CVXGridCtrl& grid, int item)
{
    std::string text = (LPCSTR)grid.GetItemText(item, 0);
    for (int column = 1; column < 8; column++)
        text += "|" + std::string((LPCSTR)grid.GetItemText(item, column));
    return text;
}

inline std::string ParentName(CVXGridCtrl& grid, int item)
{
    _TREEITEM* parent = grid.GetNextItem(grid.GetItemHandle(item), 3);
    return parent ? std::string((LPCSTR)grid.GetItemText(grid.GetItemIndex(parent), 0)) : std::string();
}

inline int RowBand(CVXGridCtrl& grid, int item)
{
    _RVITEM record;
    record.nMask = RVIM_BKCOLOR;
    record.iItem = item;
    record.iSubItem = 0;
    grid.GetItem(&record);
    return record.iBkColor;
}

// The names of the rows at the top level, in order.
inline std::vector<std::string> TopLevel(CVXGridCtrl& grid)
{
    std::vector<std::string> names;
    for (int item = 0; item < grid.GetItemCount(); item++)
        if (ParentName(grid, item).empty())
            names.push_back((LPCSTR)grid.GetItemText(item, 0));
    return names;
}

// Items whose name is `name`, in order.
inline std::vector<int> ItemsNamed(CVXGridCtrl& grid, const std::string& name)
{
    std::vector<int> items;
    for (int item = 0; item < grid.GetItemCount(); item++)
        if (name == (LPCSTR)grid.GetItemText(item, 0))
            items.push_back(item);
    return items;
}

}  // namespace jpegtest
