// Writes the compiled resources as a C++ source: one byte array per resource,
// a table of them, and a registrar that joins the table to the process's
// resource chain when the module loads (and leaves it when it unloads).
#pragma once

#include <string>

#include "ResourceSet.h"

namespace rc {

struct EmitOptions {
    std::string scriptName;  // for the header comment
    std::string moduleName;  // module the table is registered under
    bool program = false;    // the program's table is searched before the libraries'
};

std::string EmitCpp(const ResourceSet& resources, const EmitOptions& options);

}  // namespace rc
