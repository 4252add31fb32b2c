// LoadLibrary, GetProcAddress and the other module functions over the registry.
#include "win32/modules.h"

#include "kernel/ModuleRegistry.h"
#include "win32/errors.h"
#include "win32/fileapi.h"
#include "kernel/ModulePath.h"
#include "mivo/modules.h"

#include <atomic>

namespace {

// GetModuleFileName asks the modules area for every handle but NULL.
const bool kPathResolverInstalled = (mivo::SetModulePathResolver(&mivo::ModuleFilePath), true);

std::atomic<HINSTANCE> g_resourceHandle{nullptr};

}  // namespace

HMODULE LoadLibraryA(LPCSTR lpLibFileName)
{
    DWORD error = ERROR_SUCCESS;
    HMODULE module = mivo::ModuleRegistry::Instance().Load(lpLibFileName, error);
    if (!module)
        SetLastError(error);
    return module;
}

HMODULE LoadLibrary(LPCSTR lpLibFileName)
{
    return LoadLibraryA(lpLibFileName);
}

HMODULE LoadLibraryExA(LPCSTR lpLibFileName, HANDLE, DWORD)
{
    return LoadLibraryA(lpLibFileName);
}

HMODULE LoadLibraryEx(LPCSTR lpLibFileName, HANDLE hFile, DWORD dwFlags)
{
    return LoadLibraryExA(lpLibFileName, hFile, dwFlags);
}

BOOL FreeLibrary(HMODULE hLibModule)
{
    DWORD error = ERROR_SUCCESS;
    if (!mivo::ModuleRegistry::Instance().Free(hLibModule, error)) {
        SetLastError(error);
        return FALSE;
    }
    return TRUE;
}

FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName)
{
    DWORD error = ERROR_SUCCESS;
    void* address = mivo::ModuleRegistry::Instance().Symbol(hModule, lpProcName, error);
    if (!address) {
        SetLastError(error);
        return nullptr;
    }
    return reinterpret_cast<FARPROC>(address);
}

HMODULE GetModuleHandleA(LPCSTR lpModuleName)
{
    HMODULE module = mivo::ModuleRegistry::Instance().Find(lpModuleName);
    if (!module)
        SetLastError(ERROR_MOD_NOT_FOUND);
    return module;
}

HMODULE GetModuleHandle(LPCSTR lpModuleName)
{
    return GetModuleHandleA(lpModuleName);
}

HINSTANCE AfxGetInstanceHandle()
{
    return mivo::ProgramModule();
}

HINSTANCE AfxGetResourceHandle()
{
    HINSTANCE h = g_resourceHandle.load();
    return h ? h : mivo::ProgramModule();
}

void AfxSetResourceHandle(HINSTANCE hInstResource)
{
    g_resourceHandle.store(hInstResource);
}

HINSTANCE AfxLoadLibrary(LPCSTR lpszModuleName)
{
    return LoadLibraryA(lpszModuleName);
}

BOOL AfxFreeLibrary(HINSTANCE hInstLib)
{
    return FreeLibrary(hInstLib);
}

namespace mivo {

HMODULE RegisterInProcessModule(const char* name, const ExportMap& exports, const OrdinalMap& ordinals)
{
    DWORD error = ERROR_SUCCESS;
    HMODULE module = ModuleRegistry::Instance().RegisterInProcess(name, exports, ordinals, nullptr, error);
    if (!module)
        SetLastError(error);
    return module;
}

HMODULE RegisterInProcessModule(const char* name, ExportLookup lookup)
{
    DWORD error = ERROR_SUCCESS;
    HMODULE module = ModuleRegistry::Instance().RegisterInProcess(name, {}, {}, std::move(lookup), error);
    if (!module)
        SetLastError(error);
    return module;
}

bool UnregisterInProcessModule(HMODULE module)
{
    return ModuleRegistry::Instance().UnregisterInProcess(module);
}

bool ModuleFilePath(HMODULE module, std::string& posixPath)
{
    (void)kPathResolverInstalled;
    return ModuleRegistry::Instance().FilePath(module, posixPath);
}

HMODULE ProgramModule()
{
    return ModuleRegistry::Instance().Program();
}

}  // namespace mivo
