// Dragged photo lists between this program and the desktop. Inside the program a drag carries
// CF_TEXT with one "kind\tpath\r" entry per item (kind 0 a file, 1 a folder, 100 + an album
// number a photo taken from that album; Windows-form paths in CP949). The desktop's programs
// speak file URLs (text/uri-list).
#pragma once

#include <string>
#include <vector>

namespace mivo {

// The paths of a dragged list as file URLs ("file:///home/me/a%20b.jpg"), in list order.
// Entries without a tab or with an empty path are left out.
std::vector<std::string> DragTextToFileUrls(const std::string& cp949);
// File URLs dropped from another program as a dragged list: "0\t<path>\r" per local file or
// folder. URLs that are not local files, and names without a CP949 form, are left out.
std::string FileUrlsToDragText(const std::vector<std::string>& urls);

}  // namespace mivo
