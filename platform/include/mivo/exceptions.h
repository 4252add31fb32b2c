// Where CException::ReportError sends its text before message boxes take it over.
#pragma once

#include "mfc/afxdefs.h"

#include <functional>

namespace mivo {

// Receives the text of CException::ReportError until message boxes take it over;
// returns the previous receiver. An empty function restores the default (standard error).
AFX_EXT_API std::function<void(const char*)> SetExceptionReporter(std::function<void(const char*)> reporter);

}  // namespace mivo
