// The registry file: text form, loading, and saving under a lock shared by every process of the user.
//
// Form (one line each; blank lines and lines starting with ';' are ignored):
//   MIVO REGISTRY 1
//   [HKEY_CURRENT_USER\Software\Mivo]      a key; bytes outside printable ASCII and '%' as %HH
//   @=sz:"text"                             the default value; "name"=... for a named one
//   "Count"=dword:0000002a                  4-byte values
//   "Blob"=hex(3):00ff10                    any other type by number, data as hex
// Quoted text escapes '"', '\' and bytes outside printable ASCII as \", \\ and \xHH.
#include "shell/RegistryStore.h"

#include "win32/registry.h"
#include "mivo/hexdigits.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <sstream>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mivo::reg {

namespace {

const char kHeader[] = "MIVO REGISTRY 1";
const off_t kMaxFileBytes = 64 * 1024 * 1024;
const char* const kRootNames[kRootCount] = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE",
                                            "HKEY_USERS"};

bool IsLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

const char kHex[] = "0123456789abcdef";

void AppendHexByte(std::string& out, unsigned char c)
{
    out += kHex[c >> 4];
    out += kHex[c & 15];
}

bool ReadHexByte(const std::string& s, size_t i, unsigned char& out)
{
    if (i + 1 >= s.size()) return false;
    int hi = mivo::HexDigitValue(s[i]), lo = mivo::HexDigitValue(s[i + 1]);
    if (hi < 0 || lo < 0) return false;
    out = (unsigned char)(hi * 16 + lo);
    return true;
}

// ---- text form ----

std::string EscapeComponent(const std::string& name)
{
    std::string out;
    for (unsigned char c : name) {
        if (c >= 0x20 && c < 0x7F && c != '%') {
            out += (char)c;
        } else {
            out += '%';
            AppendHexByte(out, c);
        }
    }
    return out;
}

bool UnescapeComponent(const std::string& text, std::string& out)
{
    out.clear();
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        unsigned char c;
        if (!ReadHexByte(text, i + 1, c)) return false;
        out += (char)c;
        i += 2;
    }
    return true;
}

std::string Quote(const std::string& text)
{
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += (char)c;
        } else if (c >= 0x20 && c < 0x7F) {
            out += (char)c;
        } else {
            out += "\\x";
            AppendHexByte(out, c);
        }
    }
    return out + "\"";
}

// Reads a quoted text starting at `pos`; leaves `pos` after the closing quote.
bool Unquote(const std::string& line, size_t& pos, std::string& out)
{
    out.clear();
    if (pos >= line.size() || line[pos] != '"') return false;
    for (++pos; pos < line.size(); ++pos) {
        char c = line[pos];
        if (c == '"') {
            ++pos;
            return true;
        }
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++pos >= line.size()) return false;
        char e = line[pos];
        if (e == '"' || e == '\\') {
            out += e;
        } else if (e == 'x') {
            unsigned char b;
            if (!ReadHexByte(line, pos + 1, b)) return false;
            out += (char)b;
            pos += 2;
        } else {
            return false;
        }
    }
    return false;
}

bool IsTextType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

const char* TextTypeName(DWORD type)
{
    switch (type) {
    case REG_SZ: return "sz";
    case REG_EXPAND_SZ: return "expand_sz";
    default: return "multi_sz";
    }
}

void SerializeValue(const Value& v, std::string& out)
{
    out += v.name.empty() ? std::string("@") : Quote(v.name);
    out += '=';
    if (IsTextType(v.type)) {
        out += TextTypeName(v.type);
        out += ':';
        out += Quote(v.data);
    } else if (v.type == REG_DWORD && v.data.size() == 4) {
        DWORD d = (DWORD)(unsigned char)v.data[0] | (DWORD)(unsigned char)v.data[1] << 8 |
                  (DWORD)(unsigned char)v.data[2] << 16 | (DWORD)(unsigned char)v.data[3] << 24;
        char buf[16];
        snprintf(buf, sizeof buf, "dword:%08x", (unsigned)d);
        out += buf;
    } else {
        out += "hex(" + std::to_string(v.type) + "):";
        for (unsigned char c : v.data) AppendHexByte(out, c);
    }
    out += '\n';
}

void SerializeKey(const Key& key, const std::string& path, bool isRoot, std::string& out)
{
    if (!isRoot || !key.values.empty()) {
        out += '[' + path + "]\n";
        for (const Value& v : key.values) SerializeValue(v, out);
    }
    for (const auto& sub : key.subkeys) SerializeKey(*sub.second, path + '\\' + EscapeComponent(sub.second->name), false, out);
}

bool ParseKeyLine(const std::string& line, Tree& tree, Key*& current)
{
    current = nullptr;
    std::string inner = line.substr(1, line.size() - 2);
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        size_t bs = inner.find('\\', start);
        parts.push_back(inner.substr(start, bs == std::string::npos ? std::string::npos : bs - start));
        if (bs == std::string::npos) break;
        start = bs + 1;
    }
    int root = RootFromName(parts[0]);
    if (root < 0) return false;
    Key* key = &tree.roots[root];
    for (size_t i = 1; i < parts.size(); ++i) {
        std::string name;
        if (!UnescapeComponent(parts[i], name) || name.empty()) return false;
        key = key->FindOrAdd(name, nullptr);
    }
    current = key;
    return true;
}

bool ParseData(const std::string& line, size_t pos, Value& v)
{
    size_t colon = line.find(':', pos);
    if (colon == std::string::npos) return false;
    std::string type = line.substr(pos, colon - pos);
    size_t at = colon + 1;
    if (type == "sz" || type == "expand_sz" || type == "multi_sz") {
        v.type = type == "sz" ? REG_SZ : type == "expand_sz" ? REG_EXPAND_SZ : REG_MULTI_SZ;
        return Unquote(line, at, v.data) && at == line.size();
    }
    if (type == "dword") {
        if (line.size() - at != 8) return false;
        DWORD d = 0;
        for (size_t i = at; i < line.size(); ++i) {
            int h = mivo::HexDigitValue(line[i]);
            if (h < 0) return false;
            d = d << 4 | (DWORD)h;
        }
        v.type = REG_DWORD;
        v.data = std::string{(char)(d & 0xFF), (char)(d >> 8 & 0xFF), (char)(d >> 16 & 0xFF), (char)(d >> 24)};
        return true;
    }
    if (type.size() < 6 || type.compare(0, 4, "hex(") != 0 || type.back() != ')') return false;
    std::string number = type.substr(4, type.size() - 5);
    if (number.empty() || number.size() > 10 || number.find_first_not_of("0123456789") != std::string::npos)
        return false;
    unsigned long long t = std::strtoull(number.c_str(), nullptr, 10);
    if (t > 0xFFFFFFFFull || (line.size() - at) % 2 != 0) return false;
    v.type = (DWORD)t;
    v.data.clear();
    v.data.reserve((line.size() - at) / 2);
    for (size_t i = at; i < line.size(); i += 2) {
        unsigned char b;
        if (!ReadHexByte(line, i, b)) return false;
        v.data += (char)b;
    }
    return true;
}

bool ParseValueLine(const std::string& line, Key* current)
{
    if (!current) return false;
    Value v;
    size_t pos = 0;
    if (line[0] == '@') {
        pos = 1;
    } else if (!Unquote(line, pos, v.name)) {
        return false;
    }
    if (pos >= line.size() || line[pos] != '=') return false;
    if (!ParseData(line, pos + 1, v)) return false;
    if (Value* existing = current->FindValue(v.name)) {
        *existing = std::move(v);
    } else {
        current->values.push_back(std::move(v));
    }
    return true;
}

// ---- the file ----

struct FileSignature {
    bool exists = false;
    dev_t dev = 0;
    ino_t ino = 0;
    off_t size = 0;
    timespec mtime{};
    timespec ctime{};

    bool operator==(const FileSignature& o) const
    {
        return exists == o.exists && dev == o.dev && ino == o.ino && size == o.size &&
               mtime.tv_sec == o.mtime.tv_sec && mtime.tv_nsec == o.mtime.tv_nsec &&
               ctime.tv_sec == o.ctime.tv_sec && ctime.tv_nsec == o.ctime.tv_nsec;
    }
};

FileSignature SignatureOf(const struct stat& st)
{
    FileSignature s;
    s.exists = true;
    s.dev = st.st_dev;
    s.ino = st.st_ino;
    s.size = st.st_size;
    s.mtime = st.st_mtim;
    s.ctime = st.st_ctim;
    return s;
}

struct Cache {
    std::string path;
    bool valid = false;
    FileSignature signature;
    bool damaged = false;
    Tree tree;
};

std::mutex g_mutex;
Cache g_cache;

std::string DirectoryOf(const std::string& path)
{
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool MakeDirectories(const std::string& dir)
{
    struct stat st;
    if (stat(dir.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
    std::string parent = DirectoryOf(dir);
    if (parent != dir && !MakeDirectories(parent)) return false;
    return mkdir(dir.c_str(), 0700) == 0 || errno == EEXIST;
}

// Holds flock on "<file>.lock" (the data file itself is replaced by rename, so it cannot carry the lock).
class FileLock {
public:
    FileLock(const std::string& path, bool exclusive)
    {
        if (exclusive && !MakeDirectories(DirectoryOf(path))) return;
        m_fd = open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (m_fd < 0) return;
        while (flock(m_fd, exclusive ? LOCK_EX : LOCK_SH) != 0) {
            if (errno != EINTR) {
                close(m_fd);
                m_fd = -1;
                return;
            }
        }
    }
    ~FileLock()
    {
        if (m_fd >= 0) close(m_fd);  // closing releases the lock
    }
    bool Held() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

bool ReadWholeFile(const std::string& path, off_t size, std::string& text)
{
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    text.resize((size_t)size);
    size_t done = 0;
    while (done < text.size()) {
        ssize_t n = read(fd, &text[done], text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += (size_t)n;
    }
    close(fd);
    text.resize(done);
    return true;
}

// False when the file exists but could not be read: then nothing may be written over it.
bool LoadIfChanged(const std::string& path)
{
    struct stat st;
    FileSignature now;
    if (stat(path.c_str(), &st) == 0) now = SignatureOf(st);
    if (g_cache.valid && g_cache.path == path && g_cache.signature == now) return true;

    g_cache.path = path;
    g_cache.signature = now;
    g_cache.tree = Tree();
    g_cache.damaged = false;
    g_cache.valid = true;
    if (!now.exists) return true;
    std::string text;
    if (!S_ISREG(st.st_mode) || st.st_size > kMaxFileBytes || !ReadWholeFile(path, st.st_size, text)) {
        g_cache.valid = false;  // try again next time
        return false;
    }
    g_cache.damaged = !Parse(text, g_cache.tree);
    return true;
}

bool WriteAll(int fd, const std::string& text)
{
    size_t done = 0;
    while (done < text.size()) {
        ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += (size_t)n;
    }
    return true;
}

bool Save(const std::string& path)
{
    if (!MakeDirectories(DirectoryOf(path))) return false;
    std::string temp = path + ".XXXXXX";
    int fd = mkstemp(&temp[0]);
    if (fd < 0) return false;
    bool ok = fchmod(fd, 0600) == 0 && WriteAll(fd, Serialize(g_cache.tree)) && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    if (ok && g_cache.damaged) {
        // Keep what could not be read beside the store rather than silently dropping it.
        std::string keep = path + ".damaged";
        unlink(keep.c_str());
        if (link(path.c_str(), keep.c_str()) == 0) g_cache.damaged = false;
    }
    if (!ok || rename(temp.c_str(), path.c_str()) != 0) {
        unlink(temp.c_str());
        return false;
    }
    struct stat st;
    if (stat(path.c_str(), &st) != 0) return false;
    g_cache.signature = SignatureOf(st);
    g_cache.damaged = false;
    return true;
}

}  // namespace

// ---- keys ----

std::string FoldName(const std::string& name)
{
    std::string out = name;
    for (size_t i = 0; i < out.size(); ++i) {
        unsigned char c = (unsigned char)out[i];
        if (IsLeadByte(c) && i + 1 < out.size()) {
            ++i;
        } else if (c >= 'a' && c <= 'z') {
            out[i] = (char)(c - 'a' + 'A');
        }
    }
    return out;
}

Key* Key::Find(const std::string& name) const
{
    auto it = subkeys.find(FoldName(name));
    return it == subkeys.end() ? nullptr : it->second.get();
}

Key* Key::FindOrAdd(const std::string& name, bool* added)
{
    std::unique_ptr<Key>& slot = subkeys[FoldName(name)];
    if (added) *added = !slot;
    if (!slot) {
        slot.reset(new Key);
        slot->name = name;
    }
    return slot.get();
}

Value* Key::FindValue(const std::string& name)
{
    std::string folded = FoldName(name);
    for (Value& v : values)
        if (FoldName(v.name) == folded) return &v;
    return nullptr;
}

bool Key::RemoveValue(const std::string& name)
{
    std::string folded = FoldName(name);
    for (auto it = values.begin(); it != values.end(); ++it) {
        if (FoldName(it->name) == folded) {
            values.erase(it);
            return true;
        }
    }
    return false;
}

bool Key::RemoveSubkey(const std::string& name) { return subkeys.erase(FoldName(name)) != 0; }

const char* RootName(int root) { return root >= 0 && root < kRootCount ? kRootNames[root] : nullptr; }

int RootFromName(const std::string& name)
{
    for (int i = 0; i < kRootCount; ++i)
        if (FoldName(name) == kRootNames[i]) return i;
    return -1;
}

std::string Serialize(const Tree& tree)
{
    std::string out = std::string(kHeader) + "\n";
    for (int i = 0; i < kRootCount; ++i) SerializeKey(tree.roots[i], kRootNames[i], true, out);
    return out;
}

bool Parse(const std::string& text, Tree& tree)
{
    bool clean = true;
    bool first = true;
    Key* current = nullptr;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (first) {
            first = false;
            if (line == kHeader) continue;
            clean = false;
        }
        if (line.empty() || line[0] == ';') continue;
        bool ok;
        if (line[0] == '[' && line.back() == ']' && line.size() >= 2) {
            ok = ParseKeyLine(line, tree, current);
        } else if (line[0] == '@' || line[0] == '"') {
            ok = ParseValueLine(line, current);
        } else {
            ok = false;
        }
        clean = clean && ok;
    }
    return clean;
}

std::string StorePath()
{
    const char* explicitFile = getenv("MIVO_REGISTRY_FILE");
    if (explicitFile && *explicitFile) return explicitFile;
    const char* config = getenv("XDG_CONFIG_HOME");
    std::string base;
    if (config && *config == '/') {
        base = config;
    } else {
        const char* home = getenv("HOME");
        base = std::string(home && *home ? home : "/tmp") + "/.config";
    }
    return base + "/mivo/registry";
}

LONG ReadStore(const std::function<LONG(const Tree&)>& work)
{
    std::lock_guard<std::mutex> guard(g_mutex);
    std::string path = StorePath();
    FileLock lock(path, false);  // without a lock file (no folder yet) the read goes on unlocked
    LoadIfChanged(path);
    return work(g_cache.tree);
}

LONG WriteStore(const std::function<LONG(Tree&, bool& changed)>& work)
{
    std::lock_guard<std::mutex> guard(g_mutex);
    std::string path = StorePath();
    FileLock lock(path, true);
    if (!lock.Held()) return ERROR_REGISTRY_IO_FAILED;
    if (!LoadIfChanged(path)) return ERROR_REGISTRY_IO_FAILED;  // another process may have written meanwhile
    bool changed = false;
    LONG result = work(g_cache.tree, changed);
    if (result == ERROR_SUCCESS && changed && !Save(path)) {
        g_cache.valid = false;  // memory now differs from the file: reload next time
        return ERROR_REGISTRY_IO_FAILED;
    }
    return result;
}

}  // namespace mivo::reg
