#include "kernel/ModuleRegistry.h"

#include "kernel/ResourceChain.h"
#include "win32/errors.h"
#include "win32/fileapi.h"
#include "mivo/modules.h"
#include "mivo/paths.h"

#include <dlfcn.h>
#include <link.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace mivo {

namespace {

// The program's handle, as the classic image base of a Windows program.
const HMODULE kProgramHandle = reinterpret_cast<HMODULE>(uintptr_t(0x00400000));
const uintptr_t kHandleStride = 0x10000;

std::string Lower(std::string s)
{
    for (char& c : s)
        c = (char)std::tolower((unsigned char)c);
    return s;
}

bool EndsWith(const std::string& s, const char* suffix)
{
    size_t n = strlen(suffix);
    return s.size() >= n && s.compare(s.size() - n, n, suffix) == 0;
}

std::string BaseName(const std::string& path)
{
    size_t cut = path.find_last_of("/\\");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string RealPath(const std::string& path)
{
    char buffer[PATH_MAX];
    return realpath(path.c_str(), buffer) ? std::string(buffer) : path;
}

std::string ExecutablePath()
{
    char buffer[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    return n > 0 ? std::string(buffer, (size_t)n) : std::string();
}

std::string LoadedPath(void* dl)
{
    struct link_map* map = nullptr;
    if (dlinfo(dl, RTLD_DI_LINKMAP, &map) != 0 || !map || !map->l_name)
        return std::string();
    return RealPath(map->l_name);
}

bool FileExists(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// The files LoadLibrary tries for `name`, in order. An empty folder means
// the dynamic loader's own search.
std::vector<std::string> Candidates(const std::string& name)
{
    std::vector<std::string> out;
    if (name.find('/') != std::string::npos) {
        out.push_back(name);
        return out;
    }
    std::vector<std::string> folders;
    std::string base = name;
    size_t cut = name.find_last_of('\\');
    if (cut == std::string::npos && name.size() >= 2 && name[1] == ':')
        cut = 1;
    if (cut != std::string::npos) {
        std::string posixFolder;
        if (!ToPosixPath(name.substr(0, cut + 1).c_str(), posixFolder))
            return out;
        folders.push_back(posixFolder);
        base = name.substr(cut + 1);
    } else {
        std::string exe = ExecutablePath();
        size_t slash = exe.rfind('/');
        if (slash != std::string::npos)
            folders.push_back(exe.substr(0, slash));
        folders.push_back(std::string());
    }
    std::vector<std::string> files;
    std::string lowerBase = Lower(base);
    if (EndsWith(lowerBase, ".so") || lowerBase.find(".so.") != std::string::npos) {
        files.push_back(base);
    } else {
        std::string stem = base;
        if (EndsWith(lowerBase, ".dll"))
            stem = base.substr(0, base.size() - 4);
        else if (EndsWith(lowerBase, "."))
            stem = base.substr(0, base.size() - 1);
        for (const std::string& s : {stem, Lower(stem)}) {
            for (const std::string& f : {"lib" + s + ".so", s + ".so"}) {
                bool seen = false;
                for (const std::string& have : files)
                    seen = seen || have == f;
                if (!seen)
                    files.push_back(f);
            }
        }
    }
    for (const std::string& folder : folders) {
        for (const std::string& f : files) {
            if (folder.empty())
                out.push_back(f);
            else
                out.push_back(folder + (EndsWith(folder, "/") ? "" : "/") + f);
        }
    }
    return out;
}

}  // namespace

std::string ModuleKey(const std::string& name)
{
    std::string key = Lower(BaseName(name));
    size_t so = key.find(".so.");
    if (so != std::string::npos)
        key.erase(so + 3);
    bool shared = EndsWith(key, ".so");
    if (shared)
        key.erase(key.size() - 3);
    else if (EndsWith(key, ".dll") || EndsWith(key, ".exe"))
        key.erase(key.size() - 4);
    else if (EndsWith(key, "."))
        key.erase(key.size() - 1);
    if (shared && key.size() > 3 && key.compare(0, 3, "lib") == 0)
        key.erase(0, 3);
    return key;
}

ModuleRegistry& ModuleRegistry::Instance()
{
    // Never destroyed: registrars of other modules may still call in at exit.
    static ModuleRegistry* instance = new ModuleRegistry;
    return *instance;
}

std::shared_ptr<ModuleRegistry::Record> ModuleRegistry::ProgramLocked()
{
    auto it = records_.find(kProgramHandle);
    if (it != records_.end())
        return it->second;
    auto r = std::make_shared<Record>();
    r->handle = kProgramHandle;
    r->path = ExecutablePath();
    r->key = ModuleKey(r->path);
    r->program = true;
    records_[kProgramHandle] = r;
    return r;
}

HMODULE ModuleRegistry::Program()
{
    std::lock_guard<std::mutex> guard(lock_);
    return ProgramLocked()->handle;
}

std::shared_ptr<ModuleRegistry::Record> ModuleRegistry::ByHandleLocked(HMODULE module)
{
    if (!module || module == kProgramHandle)
        return ProgramLocked();
    auto it = records_.find(module);
    return it == records_.end() ? nullptr : it->second;
}

std::shared_ptr<ModuleRegistry::Record> ModuleRegistry::ByKeyLocked(const std::string& key)
{
    ProgramLocked();
    // In-process modules first: they stand in for files of the same name.
    for (auto& [handle, r] : records_)
        if (r->inProcess && r->key == key)
            return r;
    for (auto& [handle, r] : records_)
        if (r->key == key)
            return r;
    return nullptr;
}

std::shared_ptr<ModuleRegistry::Record> ModuleRegistry::ByPathLocked(const std::string& path)
{
    if (path.empty())
        return nullptr;
    for (auto& [handle, r] : records_)
        if (r->path == path)
            return r;
    return nullptr;
}

std::shared_ptr<ModuleRegistry::Record> ModuleRegistry::AddLocked(const std::string& key, const std::string& path)
{
    lastHandle_ += kHandleStride;
    auto r = std::make_shared<Record>();
    r->handle = reinterpret_cast<HMODULE>(lastHandle_);
    r->key = key;
    r->path = path;
    records_[r->handle] = r;
    return r;
}

HMODULE ModuleRegistry::Load(const char* name, DWORD& error)
{
    if (!name || !*name) {
        error = ERROR_INVALID_PARAMETER;
        return nullptr;
    }
    std::string key = ModuleKey(name);
    {
        std::lock_guard<std::mutex> guard(lock_);
        if (auto r = ByKeyLocked(key)) {
            ++r->loadCount;
            return r->handle;
        }
    }
    // The lock is not held while loading: the library's registrar calls back in.
    void* dl = nullptr;
    error = ERROR_MOD_NOT_FOUND;
    for (const std::string& file : Candidates(name)) {
        dl = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (dl)
            break;
        const char* why = dlerror();
        bool missing = file.find('/') != std::string::npos ? !FileExists(file)
                                                           : (why && strstr(why, "No such file"));
        if (!missing)
            error = ERROR_BAD_EXE_FORMAT;
    }
    if (!dl)
        return nullptr;
    std::string path = LoadedPath(dl);
    std::lock_guard<std::mutex> guard(lock_);
    auto r = ByPathLocked(path);
    if (!r)
        r = ByKeyLocked(key);
    if (!r)
        r = AddLocked(key, path);
    if (r->dl)
        dlclose(dl);  // the record already holds the loader's reference
    else
        r->dl = dl;
    ++r->loadCount;
    return r->handle;
}

bool ModuleRegistry::Free(HMODULE module, DWORD& error)
{
    void* dl = nullptr;
    {
        std::lock_guard<std::mutex> guard(lock_);
        auto r = module ? ByHandleLocked(module) : nullptr;
        if (!r) {
            error = ERROR_INVALID_HANDLE;
            return false;
        }
        if (r->loadCount > 0)
            --r->loadCount;
        if (r->loadCount > 0 || r->program || r->inProcess || !r->dl)
            return true;
        dl = r->dl;
        r->dl = nullptr;
    }
    dlclose(dl);
    std::lock_guard<std::mutex> guard(lock_);
    auto it = records_.find(module);
    // A library that stayed loaded (linked by another module) keeps its
    // record while its resources are in the chain.
    if (it != records_.end() && it->second->loadCount == 0 && !it->second->dl &&
        !ResourceChain::Instance().HasModule(module))
        records_.erase(it);
    return true;
}

HMODULE ModuleRegistry::Find(const char* name)
{
    if (!name)
        return Program();
    std::string key = ModuleKey(name);
    {
        std::lock_guard<std::mutex> guard(lock_);
        if (auto r = ByKeyLocked(key))
            return r->handle;
    }
    // Loaded by the dynamic loader without our knowing (linked at start-up).
    for (const std::string& file : Candidates(name)) {
        void* dl = dlopen(file.c_str(), RTLD_NOW | RTLD_NOLOAD);
        if (!dl)
            continue;
        std::string path = LoadedPath(dl);
        dlclose(dl);
        std::lock_guard<std::mutex> guard(lock_);
        auto r = ByPathLocked(path);
        if (!r)
            r = AddLocked(key, path);
        return r->handle;
    }
    return nullptr;
}

void* ModuleRegistry::Symbol(HMODULE module, LPCSTR procName, DWORD& error)
{
    if (!procName) {
        error = ERROR_INVALID_PARAMETER;
        return nullptr;
    }
    bool byOrdinal = IS_INTRESOURCE(procName);
    std::string path;
    bool program;
    ExportLookup lookup;
    {
        std::lock_guard<std::mutex> guard(lock_);
        auto r = ByHandleLocked(module);
        if (!r) {
            error = ERROR_INVALID_HANDLE;
            return nullptr;
        }
        if (r->inProcess && r->lookup) {
            lookup = r->lookup;
        } else if (r->inProcess) {
            void* found = nullptr;
            if (byOrdinal) {
                auto o = r->ordinals.find(LOWORD((ULONG_PTR)procName));
                if (o != r->ordinals.end()) {
                    auto e = r->exports.find(o->second);
                    found = e == r->exports.end() ? nullptr : e->second;
                }
            } else {
                auto e = r->exports.find(procName);
                found = e == r->exports.end() ? nullptr : e->second;
            }
            if (!found)
                error = ERROR_PROC_NOT_FOUND;
            return found;
        }
        if (byOrdinal && !lookup) {
            error = ERROR_PROC_NOT_FOUND;
            return nullptr;
        }
        if (r->dl && !lookup) {
            void* found = dlsym(r->dl, procName);
            if (!found)
                error = ERROR_PROC_NOT_FOUND;
            return found;
        }
        program = r->program;
        path = r->path;
    }
    void* found = nullptr;
    if (lookup) {
        // Outside the lock: a lookup may load or name other modules.
        found = lookup(procName);
    } else if (program) {
        found = dlsym(RTLD_DEFAULT, procName);
    } else if (void* dl = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD)) {
        found = dlsym(dl, procName);
        dlclose(dl);
    }
    if (!found)
        error = ERROR_PROC_NOT_FOUND;
    return found;
}

HMODULE ModuleRegistry::RegisterInProcess(const char* name, const ExportMap& exports, const OrdinalMap& ordinals,
                                          ExportLookup lookup, DWORD& error)
{
    if (!name || !*name) {
        error = ERROR_INVALID_PARAMETER;
        return nullptr;
    }
    std::string key = ModuleKey(name);
    std::lock_guard<std::mutex> guard(lock_);
    ProgramLocked();
    for (auto& [handle, r] : records_) {
        if (r->inProcess && r->key == key) {
            error = ERROR_ALREADY_EXISTS;
            return nullptr;
        }
    }
    auto r = AddLocked(key, std::string());
    r->inProcess = true;
    r->exports = exports;
    r->ordinals = ordinals;
    r->lookup = std::move(lookup);
    return r->handle;
}

bool ModuleRegistry::UnregisterInProcess(HMODULE module)
{
    {
        std::lock_guard<std::mutex> guard(lock_);
        auto it = records_.find(module);
        if (it == records_.end() || !it->second->inProcess)
            return false;
        records_.erase(it);
    }
    ResourceChain::Instance().RemoveModule(module);
    return true;
}

bool ModuleRegistry::FilePath(HMODULE module, std::string& posixPath)
{
    std::lock_guard<std::mutex> guard(lock_);
    auto r = ByHandleLocked(module);
    if (!r || r->inProcess || r->path.empty())
        return false;
    posixPath = r->path;
    return true;
}

bool ModuleRegistry::IsModule(HMODULE module)
{
    std::lock_guard<std::mutex> guard(lock_);
    return module && ByHandleLocked(module) != nullptr;
}

HMODULE ModuleRegistry::ForLibraryResources(const char* name, const void* address)
{
    std::string path;
    Dl_info info;
    if (address && dladdr(address, &info) && info.dli_fname)
        path = RealPath(info.dli_fname);
    std::string key = ModuleKey(name && *name ? name : path);
    std::lock_guard<std::mutex> guard(lock_);
    // A library's table may sit in the program's file (tests, static
    // linking); it is still a module of its own.
    auto r = ByPathLocked(path);
    if (r && r->program)
        r = nullptr;
    if (!r) {
        r = ByKeyLocked(key);
        if (r && r->program)
            r = nullptr;
    }
    if (!r)
        r = AddLocked(key, path);
    return r->handle;
}

}  // namespace mivo
