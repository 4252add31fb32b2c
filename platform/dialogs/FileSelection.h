// What a file dialog hands back: one path, or a folder and several names,
// written into the caller's buffer the way Windows lays it out.
#pragma once

#include "win32/commdlg.h"

#include <string>
#include <vector>

namespace mivo {

class FileSelection {
public:
    // `folder` is Windows-form ("C:\dir" or a drive root "C:\"); names are plain CP949 names.
    FileSelection(const std::string& folder, const std::vector<std::string>& names);

    static std::string Join(const std::string& folder, const std::string& name);
    std::string FirstPath() const;
    const std::string& Folder() const { return folder_; }
    const std::vector<std::string>& Names() const { return names_; }

    // One name: its full path, NUL-terminated. Several (OFN_ALLOWMULTISELECT
    // with OFN_EXPLORER): folder, NUL, each name, NUL, and a final NUL.
    // Sets nFileOffset, nFileExtension and lpstrFileTitle. Returns 0, or
    // FNERR_BUFFERTOOSMALL with the size needed in the buffer's first two
    // bytes (when it holds two).
    DWORD Write(OPENFILENAMEA& ofn) const;

private:
    std::string folder_;
    std::vector<std::string> names_;
};

}  // namespace mivo
