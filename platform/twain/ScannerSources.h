// Scanners on this computer as data sources (through SANE where it was built
// in). Asked only when the user looks for a source, never at start-up: the
// system's configuration may load network backends that broadcast.
#pragma once

#include "twain/DataSource.h"

#include <memory>
#include <vector>

namespace mivo::twain {

std::vector<std::unique_ptr<DataSource>> ListScannerSources();
// Lets the scanner library go; the next listing starts it again.
void EndScannerSources();

}  // namespace mivo::twain
