// Tesserin's load-time entry: initialises the library's extension module and starts Windows Sockets.
#include "framework/LibraryEntry.h"

#include "res/resource.h"

#include <cstdio>

namespace {

AFX_EXTENSION_MODULE g_module = {};
BOOL g_succeeded = FALSE;

// Process attach: without working sockets the library reports failure.
BOOL AttachLibrary()
{
    if (!AfxInitExtensionModule(g_module, ::GetModuleHandle("Tesserin.dll")))
        return FALSE;
    return AfxSocketInit(nullptr);
}

// A library that cannot refuse to load says why instead (a diagnostic, never a message box).
void ReportFailure()
{
    CString text;
    if (!text.LoadString(IDS_SOCKETS_FAILED))
        text = "Tesserin: Windows Sockets did not start.";
    fprintf(stderr, "%s\n", (LPCSTR)text);
}

struct LibraryEntry {
    LibraryEntry()
    {
        g_succeeded = AttachLibrary();
        if (!g_succeeded)
            ReportFailure();
    }
    ~LibraryEntry() { AfxTermExtensionModule(g_module); }
};

const LibraryEntry g_entry;

}  // namespace

AFX_EXTENSION_MODULE& TesserinExtensionModule()
{
    return g_module;
}

BOOL TesserinEntrySucceeded()
{
    return g_succeeded;
}
