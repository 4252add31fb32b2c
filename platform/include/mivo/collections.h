// The collection templates' own helpers.
#pragma once

#include "win32/types.h"
#include "mfc/afxdefs.h"

#include <cstddef>
#include <type_traits>

namespace mivo {

// Hash of a run of bytes; text keys hash their CP949 bytes, so Korean keys spread like any other.
AFX_EXT_API UINT HashBytes(const void* data, size_t length);

template <class T>
struct AlwaysFalse : std::false_type {};

}  // namespace mivo
