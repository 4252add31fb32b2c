// Builds tool bar resources in memory for tests: the TOOLBAR layout and a
// 16-colour strip of button images, and a table that registers them.
#pragma once

#include <win32.h>
#include <mivo/resources.h>

#include <string>
#include <utility>
#include <vector>

namespace mivo::test {

// The standard 16 colours; index 7 is the strips' light grey background.
extern const RGBQUAD kSixteenColours[16];

// RT_TOOLBAR data: version 1, image size, then the ids (0 = separator).
std::vector<BYTE> BuildToolBarResource(int imageWidth, int imageHeight, const std::vector<WORD>& ids);

// A packed 4-bit DIB of `images` images side by side. Each image is light grey
// with a black square at (2,2)-(6,6), a dark grey pixel at (7,7), a white
// pixel at (9,9) and a bar of colour index 9 + image % 6 along rows 10 to 12.
std::vector<BYTE> BuildSixteenColourStrip(int images, int imageWidth, int imageHeight);

// RT_STRING data for the block holding `strings` (all ids in one block of
// 16, the block's id being id / 16 + 1); missing ids are empty.
std::vector<BYTE> BuildStringBlock(const std::vector<std::pair<UINT, std::u16string>>& strings);

// Resources registered in the chain while the object lives.
class ResourceSet {
public:
    explicit ResourceSet(const char* moduleName);
    ~ResourceSet();
    void Add(LPCSTR type, WORD id, std::vector<BYTE> data);
    // Joins the chain with everything added so far.
    void Register();

private:
    std::string name_;
    std::vector<std::vector<BYTE>> blocks_;
    std::vector<ResourceEntry> entries_;
    ResourceTable table_ = {nullptr, 0};
    bool registered_ = false;
};

}  // namespace mivo::test
