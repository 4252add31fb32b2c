#include <gtest/gtest.h>

#include "support/TempFolder.h"
#include "win32.h"
#include "mivo/modules.h"
#include "mivo/resources.h"

#include <dlfcn.h>

#include <fstream>
#include <map>
#include <vector>

namespace {

// A string block as Windows keeps it: 16 entries of WORD length + UTF-16 units.
std::vector<BYTE> StringBlock(const std::map<int, std::u16string>& strings)
{
    std::vector<BYTE> out;
    for (int k = 0; k < 16; ++k) {
        auto it = strings.find(k);
        std::u16string s = it == strings.end() ? std::u16string() : it->second;
        out.push_back((BYTE)(s.size() & 0xFF));
        out.push_back((BYTE)(s.size() >> 8));
        for (char16_t c : s) {
            out.push_back((BYTE)(c & 0xFF));
            out.push_back((BYTE)(c >> 8));
        }
    }
    return out;
}

std::vector<BYTE> Bytes(std::initializer_list<BYTE> b) { return std::vector<BYTE>(b); }

mivo::ResourceEntry Entry(WORD type, WORD id, const std::vector<BYTE>& data)
{
    return mivo::ResourceEntry{type, nullptr, id, nullptr, data.data(), (DWORD)data.size()};
}

// A program table and a library table, as two modules' registrars would
// register them. The library registers first; the program is searched first all the same.
class ResourceChainTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        progDialog_ = Bytes({'P', 'R', 'O', 'G'});
        libDialog_ = Bytes({'L', 'I', 'B', '!', '!'});
        libOnlyBitmap_ = Bytes({1, 2, 3});
        named_ = Bytes({9, 9});
        // Strings 288..303 share block 19; 301 exists only in the library.
        progStrings_ = StringBlock({{300 % 16, u"프로그램"}, {303 % 16, u"가나다"}, {302 % 16, u"a가b"}});
        libStrings_ = StringBlock({{300 % 16, u"라이브러리"}, {301 % 16, u"library only"}});
        accel_ = Bytes({0x09, 0, 'O', 0, 0x01, 0xE1, 0, 0,    // VIRTKEY|CONTROL 'O' -> 0xE101
                        0x80, 0, 3, 0, 0x22, 0xE1, 0, 0});   // last: ASCII ^C -> 0xE122
        brokenAccel_ = Bytes({0x09, 0, 'O', 0, 0x01, 0xE1, 0, 0});

        progEntries_ = {Entry(5, 100, progDialog_), Entry(6, 300 / 16 + 1, progStrings_), Entry(9, 128, accel_),
                        Entry(9, 129, brokenAccel_),
                        mivo::ResourceEntry{0, "PNG", 0, "LOGO", named_.data(), (DWORD)named_.size()}};
        libEntries_ = {Entry(5, 100, libDialog_), Entry(2, 200, libOnlyBitmap_), Entry(6, 300 / 16 + 1, libStrings_)};
        progTable_ = {progEntries_.data(), progEntries_.size()};
        libTable_ = {libEntries_.data(), libEntries_.size()};

        lib_ = mivo::RegisterInProcessModule("ChainTestLib.dll", mivo::ExportMap{});
        ASSERT_NE(nullptr, lib_);
        mivo::RegisterModuleResources(lib_, &libTable_, false);
        mivo::RegisterModuleResources(mivo::ProgramModule(), &progTable_, true);
    }

    void TearDown() override
    {
        mivo::UnregisterModuleResources(&progTable_);
        mivo::UnregisterModuleResources(&libTable_);
        mivo::UnregisterInProcessModule(lib_);
    }

    static std::string Data(HMODULE module, HRSRC r)
    {
        const char* p = static_cast<const char*>(LockResource(LoadResource(module, r)));
        return p ? std::string(p, SizeofResource(module, r)) : std::string();
    }

    std::vector<BYTE> progDialog_, libDialog_, libOnlyBitmap_, named_, progStrings_, libStrings_, accel_, brokenAccel_;
    std::vector<mivo::ResourceEntry> progEntries_, libEntries_;
    mivo::ResourceTable progTable_{}, libTable_{};
    HMODULE lib_ = nullptr;
};

TEST_F(ResourceChainTest, ProgramIsSearchedBeforeTheLibrary)
{
    HRSRC r = FindResource(nullptr, MAKEINTRESOURCE(100), RT_DIALOG);
    ASSERT_NE(nullptr, r);
    EXPECT_EQ("PROG", Data(nullptr, r));
    EXPECT_EQ(AfxGetInstanceHandle(), AfxFindResourceHandle(MAKEINTRESOURCE(100), RT_DIALOG));

    // A resource only the library has is found along the chain, in the library.
    r = FindResource(nullptr, MAKEINTRESOURCE(200), RT_BITMAP);
    ASSERT_NE(nullptr, r);
    EXPECT_EQ(3u, SizeofResource(nullptr, r));
    EXPECT_EQ(lib_, AfxFindResourceHandle(MAKEINTRESOURCE(200), RT_BITMAP));
}

TEST_F(ResourceChainTest, AGivenModuleIsSearchedAlone)
{
    HRSRC r = FindResource(lib_, MAKEINTRESOURCE(100), RT_DIALOG);
    ASSERT_NE(nullptr, r);
    EXPECT_EQ("LIB!!", Data(lib_, r));
    EXPECT_EQ(nullptr, FindResource(GetModuleHandle(nullptr), MAKEINTRESOURCE(200), RT_BITMAP));
    EXPECT_EQ((DWORD)ERROR_RESOURCE_TYPE_NOT_FOUND, GetLastError());
}

TEST_F(ResourceChainTest, StringsFallThroughPerStringNotPerBlock)
{
    char buffer[64];
    EXPECT_EQ(8, LoadString(nullptr, 300, buffer, sizeof buffer));
    EXPECT_STREQ("프로그램", buffer);
    // The program has block 19 but not string 301: the library's is used.
    EXPECT_EQ(12, LoadString(nullptr, 301, buffer, sizeof buffer));
    EXPECT_STREQ("library only", buffer);
    EXPECT_EQ(lib_, AfxFindStringResourceHandle(301));
    EXPECT_EQ(10, LoadString(lib_, 300, buffer, sizeof buffer));
    EXPECT_STREQ("라이브러리", buffer);
    EXPECT_EQ(0, LoadString(GetModuleHandle(nullptr), 301, buffer, sizeof buffer));
}

TEST_F(ResourceChainTest, LoadStringCutsOnACharacterBoundary)
{
    // "가나다" is 6 bytes of CP949, "a가b" 4 bytes.
    const struct {
        UINT id;
        int buffer;
        int length;
        const char* text;
    } cases[] = {
        {303, 64, 6, "가나다"}, {303, 7, 6, "가나다"}, {303, 6, 4, "가나"}, {303, 5, 4, "가나"},
        {303, 4, 2, "가"},      {303, 2, 0, ""},       {302, 4, 3, "a가"},  {302, 3, 1, "a"},
        {302, 1, 0, ""},
    };
    for (const auto& c : cases) {
        char buffer[80];
        memset(buffer, 'x', sizeof buffer);
        EXPECT_EQ(c.length, LoadString(nullptr, c.id, buffer, c.buffer)) << c.id << " in " << c.buffer;
        EXPECT_STREQ(c.text, buffer) << c.id << " in " << c.buffer;
        EXPECT_EQ('x', buffer[c.buffer]) << "wrote past the buffer";
    }
}

TEST_F(ResourceChainTest, LoadStringWide)
{
    WCHAR buffer[16];
    EXPECT_EQ(3, LoadStringW(nullptr, 303, buffer, 16));
    EXPECT_EQ(std::u16string(u"가나다"), std::u16string(buffer));
    EXPECT_EQ(2, LoadStringW(nullptr, 303, buffer, 3));
    EXPECT_EQ(std::u16string(u"가나"), std::u16string(buffer));
    // A zero size hands out the resource's own text.
    const WCHAR* direct = nullptr;
    EXPECT_EQ(3, LoadStringW(nullptr, 303, reinterpret_cast<LPWSTR>(&direct), 0));
    ASSERT_NE(nullptr, direct);
    EXPECT_EQ(std::u16string(u"가나다"), std::u16string(direct, 3));
}

TEST_F(ResourceChainTest, MissingResourcesFailWithTheirErrorCodes)
{
    char buffer[16] = "junk";
    SetLastError(0);
    EXPECT_EQ(0, LoadString(nullptr, 299, buffer, sizeof buffer));  // an empty slot of a block
    EXPECT_EQ((DWORD)ERROR_RESOURCE_NAME_NOT_FOUND, GetLastError());
    EXPECT_STREQ("", buffer);
    EXPECT_EQ(0, LoadString(nullptr, 305, buffer, sizeof buffer));  // no block at all
    EXPECT_EQ((DWORD)ERROR_RESOURCE_NAME_NOT_FOUND, GetLastError());
    EXPECT_EQ(0, LoadString(nullptr, 9999, buffer, sizeof buffer));
    EXPECT_EQ((DWORD)ERROR_RESOURCE_NAME_NOT_FOUND, GetLastError());

    EXPECT_EQ(nullptr, FindResource(nullptr, MAKEINTRESOURCE(101), RT_DIALOG));
    EXPECT_EQ((DWORD)ERROR_RESOURCE_NAME_NOT_FOUND, GetLastError());
    EXPECT_EQ(nullptr, FindResource(nullptr, MAKEINTRESOURCE(1), RT_TOOLBAR));
    EXPECT_EQ((DWORD)ERROR_RESOURCE_TYPE_NOT_FOUND, GetLastError());
    EXPECT_EQ(nullptr, FindResource(nullptr, MAKEINTRESOURCE(100), nullptr));
    EXPECT_EQ((DWORD)ERROR_INVALID_PARAMETER, GetLastError());
    EXPECT_EQ(nullptr, FindResource(reinterpret_cast<HMODULE>(0x7777), MAKEINTRESOURCE(100), RT_DIALOG));
    EXPECT_EQ((DWORD)ERROR_INVALID_HANDLE, GetLastError());
    // Nothing holds it: the framework answers with its resource handle.
    EXPECT_EQ(AfxGetResourceHandle(), AfxFindResourceHandle(MAKEINTRESOURCE(4242), RT_DIALOG));
    EXPECT_EQ(nullptr, AfxFindStringResourceHandle(305));
}

TEST_F(ResourceChainTest, NamesAndNumberStringsFindResources)
{
    EXPECT_NE(nullptr, FindResource(nullptr, "logo", "png"));
    EXPECT_NE(nullptr, FindResource(nullptr, "LOGO", "PNG"));
    EXPECT_NE(nullptr, FindResource(nullptr, "#100", MAKEINTRESOURCE(5)));
    EXPECT_NE(nullptr, FindResourceEx(nullptr, "#5", "#100", 0x0412));
    EXPECT_EQ(nullptr, FindResource(nullptr, "#100x", RT_DIALOG));
    EXPECT_EQ(nullptr, FindResource(nullptr, "LOGO", RT_RCDATA));
}

TEST_F(ResourceChainTest, AResourceHandleOfAnUnloadedTableIsRefused)
{
    HRSRC r = FindResource(lib_, MAKEINTRESOURCE(200), RT_BITMAP);
    ASSERT_NE(nullptr, r);
    mivo::UnregisterModuleResources(&libTable_);
    EXPECT_EQ(nullptr, LoadResource(lib_, r));
    EXPECT_EQ(0u, SizeofResource(lib_, r));
    EXPECT_EQ(nullptr, FindResource(nullptr, MAKEINTRESOURCE(200), RT_BITMAP));
}

TEST_F(ResourceChainTest, AcceleratorEntries)
{
    std::vector<ACCEL> entries;
    ASSERT_TRUE(mivo::LoadAcceleratorEntries(nullptr, MAKEINTRESOURCE(128), entries));
    ASSERT_EQ(2u, entries.size());
    EXPECT_EQ(FVIRTKEY | FCONTROL, entries[0].fVirt);
    EXPECT_EQ('O', entries[0].key);
    EXPECT_EQ(0xE101, entries[0].cmd);
    EXPECT_EQ(0, entries[1].fVirt);
    EXPECT_EQ(3, entries[1].key);
    // A table whose last entry lacks the end mark is refused.
    EXPECT_FALSE(mivo::LoadAcceleratorEntries(nullptr, MAKEINTRESOURCE(129), entries));
    EXPECT_TRUE(entries.empty());
}

TEST_F(ResourceChainTest, TheResourceHandleIsSearchedFirst)
{
    AfxSetResourceHandle(lib_);
    EXPECT_EQ(lib_, AfxFindResourceHandle(MAKEINTRESOURCE(100), RT_DIALOG));
    EXPECT_EQ(lib_, AfxFindStringResourceHandle(300));
    AfxSetResourceHandle(nullptr);
    EXPECT_EQ(AfxGetInstanceHandle(), AfxGetResourceHandle());
}

int WINAPI Seven() { return 7; }
int WINAPI Eight() { return 8; }
void* Address(FARPROC f) { return reinterpret_cast<void*>(f); }

TEST(Modules, InProcessModuleExportsByNameAndOrdinal)
{
    HMODULE m = mivo::RegisterInProcessModule("FAKE_TWAIN.DLL",
                                              mivo::ExportMap{{"DSM_Entry", (void*)&Seven}, {"Other", (void*)&Eight}},
                                              mivo::OrdinalMap{{1, "DSM_Entry"}, {2, "Other"}});
    ASSERT_NE(nullptr, m);
    EXPECT_EQ((void*)&Seven, Address(GetProcAddress(m, "DSM_Entry")));
    EXPECT_EQ((void*)&Eight, Address(GetProcAddress(m, MAKEINTRESOURCE(2))));
    EXPECT_EQ(nullptr, GetProcAddress(m, "dsm_entry"));  // export names are case-sensitive
    EXPECT_EQ((DWORD)ERROR_PROC_NOT_FOUND, GetLastError());
    EXPECT_EQ(nullptr, GetProcAddress(m, MAKEINTRESOURCE(3)));

    // LoadLibrary and GetModuleHandle find it under any spelling of its name.
    EXPECT_EQ(m, LoadLibrary("fake_twain.dll"));
    EXPECT_EQ(m, LoadLibrary("C:\\WINDOWS\\Fake_Twain"));
    EXPECT_EQ(m, GetModuleHandle("FAKE_TWAIN"));
    EXPECT_TRUE(FreeLibrary(m));
    EXPECT_TRUE(FreeLibrary(m));
    std::string path;
    EXPECT_FALSE(mivo::ModuleFilePath(m, path));

    EXPECT_EQ(nullptr, mivo::RegisterInProcessModule("fake_twain", mivo::ExportMap{}));
    EXPECT_EQ((DWORD)ERROR_ALREADY_EXISTS, GetLastError());

    ASSERT_TRUE(mivo::UnregisterInProcessModule(m));
    EXPECT_EQ(nullptr, GetProcAddress(m, "DSM_Entry"));
    EXPECT_EQ((DWORD)ERROR_INVALID_HANDLE, GetLastError());
    EXPECT_FALSE(FreeLibrary(m));
    EXPECT_EQ(nullptr, GetModuleHandle("FAKE_TWAIN.DLL"));
}

TEST(Modules, InProcessModuleWithALookupFunction)
{
    HMODULE m = mivo::RegisterInProcessModule("LookupFake.dll", [](LPCSTR name) -> void* {
        if (IS_INTRESOURCE(name))
            return LOWORD((ULONG_PTR)name) == 5 ? (void*)&Eight : nullptr;
        return std::string(name) == "Seven" ? (void*)&Seven : nullptr;
    });
    ASSERT_NE(nullptr, m);
    EXPECT_EQ((void*)&Seven, Address(GetProcAddress(m, "Seven")));
    EXPECT_EQ((void*)&Eight, Address(GetProcAddress(m, MAKEINTRESOURCE(5))));
    EXPECT_EQ(nullptr, GetProcAddress(m, "Nine"));
    EXPECT_TRUE(mivo::UnregisterInProcessModule(m));
}

TEST(Modules, MissingOrBrokenLibrariesFailCleanly)
{
    SetLastError(0);
    EXPECT_EQ(nullptr, LoadLibrary("NoSuchLibrary.dll"));
    EXPECT_EQ((DWORD)ERROR_MOD_NOT_FOUND, GetLastError());
    EXPECT_EQ(nullptr, LoadLibrary(""));
    EXPECT_EQ(nullptr, GetModuleHandle("NoSuchLibrary.dll"));

    mivotest::TempFolder folder;
    std::ofstream(folder.file("libBroken.so")) << "not a shared object";
    EXPECT_EQ(nullptr, LoadLibrary((folder.windowsPath() + "Broken.dll").c_str()));
    EXPECT_EQ((DWORD)ERROR_BAD_EXE_FORMAT, GetLastError());
    EXPECT_EQ(nullptr, LoadLibrary(folder.file("libBroken.so").c_str()));
    EXPECT_EQ((DWORD)ERROR_BAD_EXE_FORMAT, GetLastError());
    EXPECT_EQ(nullptr, LoadLibrary((folder.windowsPath() + "Missing.dll").c_str()));
    EXPECT_EQ((DWORD)ERROR_MOD_NOT_FOUND, GetLastError());

    EXPECT_FALSE(FreeLibrary(reinterpret_cast<HMODULE>(0x1234)));
    EXPECT_EQ((DWORD)ERROR_INVALID_HANDLE, GetLastError());
}

TEST(Modules, SharedLibrariesLoadThroughTheDynamicLoader)
{
    // The platform library itself is a shared object already in the process.
    HMODULE m = LoadLibrary("platform.dll");
    ASSERT_NE(nullptr, m);
    EXPECT_EQ(m, LoadLibrary("PLATFORM"));
    EXPECT_EQ(m, GetModuleHandle("libplatform.so"));
    EXPECT_NE(GetModuleHandle(nullptr), m);

    // Its exports are C++ names; a C library shows the symbol lookup.
    HMODULE libc = LoadLibrary("libc.so.6");
    ASSERT_NE(nullptr, libc);
    EXPECT_EQ(dlsym(RTLD_DEFAULT, "getpid"), Address(GetProcAddress(libc, "getpid")));
    EXPECT_TRUE(FreeLibrary(libc));
    EXPECT_EQ(nullptr, GetProcAddress(m, "NoSuchFunction"));
    EXPECT_EQ((DWORD)ERROR_PROC_NOT_FOUND, GetLastError());
    EXPECT_EQ(nullptr, GetProcAddress(m, MAKEINTRESOURCE(1)));  // shared objects carry no ordinals

    std::string path;
    ASSERT_TRUE(mivo::ModuleFilePath(m, path));
    EXPECT_NE(std::string::npos, path.find("libplatform.so"));
    char winPath[MAX_PATH];
    ASSERT_GT(GetModuleFileName(m, winPath, sizeof winPath), 0u);
    EXPECT_NE(nullptr, strstr(winPath, "libplatform.so"));

    EXPECT_TRUE(FreeLibrary(m));
    EXPECT_TRUE(FreeLibrary(m));
}

TEST(Modules, TheProgramModule)
{
    HMODULE program = GetModuleHandle(nullptr);
    ASSERT_NE(nullptr, program);
    EXPECT_EQ(program, AfxGetInstanceHandle());
    EXPECT_EQ(program, mivo::ProgramModule());
    char viaHandle[MAX_PATH], viaNull[MAX_PATH];
    ASSERT_GT(GetModuleFileName(program, viaHandle, sizeof viaHandle), 0u);
    ASSERT_GT(GetModuleFileName(nullptr, viaNull, sizeof viaNull), 0u);
    EXPECT_STREQ(viaNull, viaHandle);
    EXPECT_EQ(dlsym(RTLD_DEFAULT, "getpid"), Address(GetProcAddress(nullptr, "getpid")));
    EXPECT_TRUE(FreeLibrary(program));
    EXPECT_EQ(program, GetModuleHandle(nullptr));
}

}  // namespace
