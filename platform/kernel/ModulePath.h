// The files behind module handles, named by the modules code for the path functions.
#pragma once

#include "win32/types.h"

#include <string>

namespace mivo {

// Module handles other than NULL are named by the modules area through this
// hook; it returns the module's POSIX path.
typedef bool (*ModulePathResolver)(HMODULE module, std::string& posixUtf8);
void SetModulePathResolver(ModulePathResolver resolver);
// The POSIX path of a module (NULL: the executable).
bool ModulePathOf(HMODULE module, std::string& posixUtf8);

}  // namespace mivo
