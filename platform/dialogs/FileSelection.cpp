#include "dialogs/FileSelection.h"
#include "mivo/codepage.h"

#include <algorithm>
#include <cstring>

namespace mivo {

namespace {

// The offset of the extension after the last dot of the name part, or of the
// terminating NUL when the name ends with a dot; 0 when it has none.
WORD ExtensionOffset(const std::string& path, size_t nameOffset)
{
    size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot < nameOffset)
        return 0;
    return (WORD)std::min<size_t>(dot + 1, 0xFFFF);
}

}  // namespace

FileSelection::FileSelection(const std::string& folder, const std::vector<std::string>& names)
    : folder_(folder), names_(names)
{
}

std::string FileSelection::Join(const std::string& folder, const std::string& name)
{
    if (folder.empty())
        return name;
    return folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

std::string FileSelection::FirstPath() const
{
    return names_.empty() ? folder_ : Join(folder_, names_[0]);
}

DWORD FileSelection::Write(OPENFILENAMEA& ofn) const
{
    std::string block;
    WORD nameOffset = 0;
    if (names_.size() == 1) {
        block = FirstPath();
        size_t slash = block.rfind('\\');
        nameOffset = (WORD)std::min<size_t>(slash == std::string::npos ? 0 : slash + 1, 0xFFFF);
        block.push_back(0);
    } else {
        block = folder_;
        block.push_back(0);
        nameOffset = (WORD)std::min<size_t>(block.size(), 0xFFFF);
        for (const std::string& n : names_) {
            block += n;
            block.push_back(0);
        }
        block.push_back(0);
    }
    if (ofn.lpstrFile == nullptr || block.size() > ofn.nMaxFile) {
        if (ofn.lpstrFile != nullptr && ofn.nMaxFile >= 2) {
            WORD needed = (WORD)std::min<size_t>(block.size(), 0xFFFF);
            std::memcpy(ofn.lpstrFile, &needed, sizeof(needed));
        }
        return FNERR_BUFFERTOOSMALL;
    }
    std::memcpy(ofn.lpstrFile, block.data(), block.size());
    ofn.nFileOffset = nameOffset;
    ofn.nFileExtension = names_.size() == 1 ? ExtensionOffset(block.substr(0, block.size() - 1), nameOffset) : 0;
    if (ofn.lpstrFileTitle != nullptr && ofn.nMaxFileTitle > 0 && !names_.empty()) {
        const std::string& title = names_[0];
        size_t n = CutToCharBoundary(title.data(), title.size(), ofn.nMaxFileTitle - 1);
        std::memcpy(ofn.lpstrFileTitle, title.data(), n);
        ofn.lpstrFileTitle[n] = 0;
    }
    return 0;
}

}  // namespace mivo
