// The library's load-time entry. Tesserin has no process entry point of its own here: a static
// object of the library does its work when the host program loads it. The library's resources join
// the program's resource chain by their own registrar at the same moment.
#pragma once

#include "mfc.h"

// The library's extension-module record, filled when the library loads and released when it unloads.
AFX_EXT_API AFX_EXTENSION_MODULE& TesserinExtensionModule();
// What the entry reported: TRUE when the library joined the program and Windows Sockets started.
AFX_EXT_API BOOL TesserinEntrySucceeded();
