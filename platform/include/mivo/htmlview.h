// What the web view keeps of a fetched page; the page parser defines them.
#pragma once

namespace mivo::afx {
struct HtmlRun;
struct HtmlLoad;
}  // namespace mivo::afx
