// The registry store: typed values, sizes, enumeration, deletion, the file and two writing processes.
#include <gtest/gtest.h>

#include "win32.h"

#include "support/TempFolder.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class RegistryStore : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_folder = std::make_unique<mivotest::TempFolder>("mivo-reg");
        m_dir = m_folder->path();
        m_file = m_dir + "/sub/registry";  // the folder does not exist yet
        UseFile(m_file);
    }
    void TearDown() override
    {
        unsetenv("MIVO_REGISTRY_FILE");
        m_folder.reset();
    }
    static void UseFile(const std::string& path) { setenv("MIVO_REGISTRY_FILE", path.c_str(), 1); }
    std::string ReadFile(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    HKEY Create(HKEY root, const char* path)
    {
        HKEY k = nullptr;
        EXPECT_EQ(RegCreateKeyEx(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &k,
                                 nullptr),
                  ERROR_SUCCESS);
        return k;
    }
    std::unique_ptr<mivotest::TempFolder> m_folder;
    std::string m_dir;
    std::string m_file;
};

struct TypedValue {
    const char* name;
    DWORD type;
    std::string data;
};

std::vector<TypedValue> SampleValues()
{
    const DWORD number = 0x8000002A;
    return {
        {"Text", REG_SZ, std::string("hello world\0", 12)},
        {"NoZero", REG_SZ, "stored without its zero"},
        {"Korean", REG_SZ, std::string("한글 \"quoted\" \\ back\0", 22)},
        {"Path", REG_EXPAND_SZ, std::string("%HOME%\\Mivo\0", 12)},
        {"List", REG_MULTI_SZ, std::string("one\0two\0\0", 9)},
        {"Number", REG_DWORD, std::string(reinterpret_cast<const char*>(&number), 4)},
        {"Blob", REG_BINARY, std::string("\x00\xff\n\r[x]\"", 8)},
        {"Empty", REG_BINARY, std::string()},
        {"", REG_SZ, std::string("default\0", 8)},
        {"Odd type", 0x12345, std::string("\x01\x02", 2)},
    };
}

void WriteSamples(HKEY k)
{
    for (const TypedValue& v : SampleValues())
        ASSERT_EQ(RegSetValueEx(k, v.name, 0, v.type, reinterpret_cast<const BYTE*>(v.data.data()),
                                (DWORD)v.data.size()),
                  ERROR_SUCCESS)
            << v.name;
}

void ExpectSamples(HKEY k)
{
    for (const TypedValue& v : SampleValues()) {
        BYTE buf[64];
        memset(buf, 0xCC, sizeof buf);
        DWORD type = 0, size = sizeof buf;
        ASSERT_EQ(RegQueryValueEx(k, v.name, nullptr, &type, buf, &size), ERROR_SUCCESS) << v.name;
        EXPECT_EQ(type, v.type) << v.name;
        EXPECT_EQ(std::string(reinterpret_cast<char*>(buf), size), v.data) << v.name;
    }
}

TEST_F(RegistryStore, EveryValueTypeRoundTripsInMemoryAndThroughTheFile)
{
    HKEY k = Create(HKEY_CURRENT_USER, "Software\\Vantrel\\Mivo");
    WriteSamples(k);
    ExpectSamples(k);
    ASSERT_EQ(RegCloseKey(k), ERROR_SUCCESS);

    // A copy of the file is read afresh: what was written is what the file holds.
    std::string copy = m_dir + "/copy";
    std::ofstream(copy, std::ios::binary) << ReadFile(m_file);
    UseFile(copy);
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "SOFTWARE\\vantrel\\MIVO", 0, KEY_READ, &k), ERROR_SUCCESS);
    ExpectSamples(k);
    RegCloseKey(k);
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "Software\\Vantrel", 0, KEY_READ, &k), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(k, nullptr);
}

TEST_F(RegistryStore, SizesFollowTheQueryRules)
{
    HKEY k = Create(HKEY_CURRENT_USER, "Software\\Sizes");
    const char text[] = "abcdef";  // stored without its zero, as the registry helper does
    ASSERT_EQ(RegSetValueEx(k, "T", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), 6), ERROR_SUCCESS);

    DWORD type = 0, size = 0;
    EXPECT_EQ(RegQueryValueEx(k, "T", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 6u);
    EXPECT_EQ(type, (DWORD)REG_SZ);

    char small[4] = {'x', 'x', 'x', 'x'};
    size = sizeof small;
    EXPECT_EQ(RegQueryValueEx(k, "T", nullptr, nullptr, reinterpret_cast<BYTE*>(small), &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 6u);

    char exact[6];
    size = sizeof exact;
    EXPECT_EQ(RegQueryValueEx(k, "T", nullptr, nullptr, reinterpret_cast<BYTE*>(exact), &size), ERROR_SUCCESS);
    EXPECT_EQ(std::string(exact, 6), "abcdef");

    char roomy[261];
    memset(roomy, 'x', sizeof roomy);
    size = sizeof roomy;
    EXPECT_EQ(RegQueryValueEx(k, "T", nullptr, nullptr, reinterpret_cast<BYTE*>(roomy), &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 6u);
    EXPECT_STREQ(roomy, "abcdef");  // a zero is added when there is room

    size = 10;
    EXPECT_EQ(RegQueryValueEx(k, "T", nullptr, nullptr, reinterpret_cast<BYTE*>(roomy), nullptr),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegQueryValueEx(k, "missing", nullptr, nullptr, reinterpret_cast<BYTE*>(roomy), &size),
              ERROR_FILE_NOT_FOUND);
    RegCloseKey(k);
}

TEST_F(RegistryStore, NamesIgnoreAsciiCaseButNeverTouchDoubleByteCharacters)
{
    HKEY k = Create(HKEY_CURRENT_USER, "Software\\Case");
    DWORD one = 1, two = 2;
    ASSERT_EQ(RegSetValueEx(k, "Value", 0, REG_DWORD, reinterpret_cast<BYTE*>(&one), 4), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueEx(k, "VALUE", 0, REG_DWORD, reinterpret_cast<BYTE*>(&two), 4), ERROR_SUCCESS);
    DWORD values = 0;
    ASSERT_EQ(RegQueryInfoKey(k, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr,
                              nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(values, 1u);

    // Two double-byte characters whose trail bytes are 'a' and 'A' are different names.
    HKEY lower = Create(k, "\x81\x61");
    HKEY upper = Create(k, "\x81\x41");
    DWORD subKeys = 0;
    RegQueryInfoKey(k, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                    nullptr);
    EXPECT_EQ(subKeys, 2u);
    RegCloseKey(lower);
    RegCloseKey(upper);
    RegCloseKey(k);
}

TEST_F(RegistryStore, EnumerationListsKeysInOrderAndValuesWithData)
{
    HKEY k = Create(HKEY_CURRENT_USER, "Software\\Enum");
    for (const char* name : {"beta", "Alpha", "gamma"}) RegCloseKey(Create(k, name));
    WriteSamples(k);

    std::vector<std::string> keys;
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD cch = sizeof name;
        LONG r = RegEnumKeyEx(k, i, name, &cch, nullptr, nullptr, nullptr, nullptr);
        if (r == ERROR_NO_MORE_ITEMS) break;
        ASSERT_EQ(r, ERROR_SUCCESS);
        EXPECT_EQ(cch, strlen(name));
        keys.push_back(name);
    }
    EXPECT_EQ(keys, (std::vector<std::string>{"Alpha", "beta", "gamma"}));
    EXPECT_EQ(RegEnumKey(k, 1, name, 5), ERROR_SUCCESS);  // "beta" and its zero fit exactly
    EXPECT_STREQ(name, "beta");
    EXPECT_EQ(RegEnumKey(k, 0, name, 5), ERROR_MORE_DATA);  // "Alpha" does not

    DWORD subKeys = 0, maxSubKey = 0, values = 0, maxValueName = 0, maxValue = 0;
    ASSERT_EQ(RegQueryInfoKey(k, nullptr, nullptr, nullptr, &subKeys, &maxSubKey, nullptr, &values, &maxValueName,
                              &maxValue, nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(subKeys, 3u);
    EXPECT_EQ(maxSubKey, 5u);
    EXPECT_EQ(values, (DWORD)SampleValues().size());
    EXPECT_EQ(maxValueName, 8u);   // "Odd type"
    EXPECT_EQ(maxValue, 23u);      // "stored without its zero"

    std::vector<TypedValue> expected = SampleValues();
    for (DWORD i = 0; i < expected.size(); ++i) {
        DWORD cch = maxValueName + 1, type = 0, size = maxValue;
        BYTE data[64];
        ASSERT_EQ(RegEnumValue(k, i, name, &cch, nullptr, &type, data, &size), ERROR_SUCCESS);
        EXPECT_EQ(std::string(name), expected[i].name);
        EXPECT_EQ(type, expected[i].type);
        EXPECT_EQ(std::string(reinterpret_cast<char*>(data), size), expected[i].data);
    }
    DWORD cch = sizeof name, size = 2;
    BYTE data[2];
    EXPECT_EQ(RegEnumValue(k, 0, name, &cch, nullptr, nullptr, data, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 12u);
    cch = sizeof name;
    EXPECT_EQ(RegEnumValue(k, (DWORD)expected.size(), name, &cch, nullptr, nullptr, nullptr, nullptr),
              ERROR_NO_MORE_ITEMS);
    RegCloseKey(k);
}

TEST_F(RegistryStore, CreateReportsDispositionAndDeleteRulesHold)
{
    HKEY k = nullptr;
    DWORD disposition = 0;
    ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\Del\\Child", 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                             &k, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, (DWORD)REG_CREATED_NEW_KEY);
    RegCloseKey(k);
    ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "software\\DEL\\child", 0, nullptr, 0, KEY_READ, nullptr, &k,
                             &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, (DWORD)REG_OPENED_EXISTING_KEY);
    RegCloseKey(k);

    HKEY grand = Create(HKEY_CURRENT_USER, "Software\\Del\\Child\\Grand");
    EXPECT_EQ(RegDeleteKey(HKEY_CURRENT_USER, "Software\\Del\\Child"), ERROR_ACCESS_DENIED);  // has a subkey
    EXPECT_EQ(RegDeleteKey(HKEY_CURRENT_USER, "Software\\Del\\Nothing"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteKey(HKEY_CURRENT_USER, ""), ERROR_ACCESS_DENIED);  // never a root
    EXPECT_EQ(SHDeleteKey(HKEY_CURRENT_USER, "Software\\Del\\Child"), (DWORD)ERROR_SUCCESS);

    // The open handle notices that its key is gone.
    DWORD one = 1;
    EXPECT_EQ(RegSetValueEx(grand, "x", 0, REG_DWORD, reinterpret_cast<BYTE*>(&one), 4), ERROR_KEY_DELETED);
    EXPECT_EQ(RegCloseKey(grand), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(grand), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Del\\Child", 0, KEY_READ, &k), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Del", 0, KEY_READ, &k), ERROR_SUCCESS);
    RegCloseKey(k);
    EXPECT_EQ(RegCloseKey(HKEY_CURRENT_USER), ERROR_SUCCESS);
}

TEST_F(RegistryStore, AccessRightsOfTheHandleAreEnforced)
{
    RegCloseKey(Create(HKEY_CURRENT_USER, "Software\\Rights"));
    HKEY k = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Rights", 0, KEY_READ, &k), ERROR_SUCCESS);
    DWORD one = 1;
    EXPECT_EQ(RegSetValueEx(k, "x", 0, REG_DWORD, reinterpret_cast<BYTE*>(&one), 4), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteValue(k, "x"), ERROR_ACCESS_DENIED);
    RegCloseKey(k);
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Rights", 0, KEY_SET_VALUE, &k), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueEx(k, "x", 0, REG_DWORD, reinterpret_cast<BYTE*>(&one), 4), ERROR_SUCCESS);
    DWORD size = 4;
    EXPECT_EQ(RegQueryValueEx(k, "x", nullptr, nullptr, reinterpret_cast<BYTE*>(&one), &size), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteValue(k, "x"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValue(k, "x"), ERROR_FILE_NOT_FOUND);
    RegCloseKey(k);
}

TEST_F(RegistryStore, DefaultValueThroughTheOldTextCalls)
{
    ASSERT_EQ(RegSetValue(HKEY_CLASSES_ROOT, ".jpg", REG_SZ, "jpegfile", 0), ERROR_SUCCESS);
    char text[32];
    LONG size = sizeof text;
    ASSERT_EQ(RegQueryValue(HKEY_CLASSES_ROOT, ".JPG", text, &size), ERROR_SUCCESS);
    EXPECT_STREQ(text, "jpegfile");
    EXPECT_EQ(size, 9);
    size = 3;
    EXPECT_EQ(RegQueryValue(HKEY_CLASSES_ROOT, ".jpg", text, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 9);
    EXPECT_EQ(RegSetValue(HKEY_CLASSES_ROOT, ".jpg", REG_DWORD, "x", 0), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegQueryValue(HKEY_CLASSES_ROOT, ".png", text, &size), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryStore, TwoProcessesWritingAtOnceKeepEachOthersValues)
{
    RegCloseKey(Create(HKEY_CURRENT_USER, "Software\\Race"));
    const int kProcesses = 3, kValues = 40;
    std::vector<pid_t> children;
    for (int p = 0; p < kProcesses; ++p) {
        pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            int failures = 0;
            for (int i = 0; i < kValues; ++i) {
                HKEY k = nullptr;
                if (RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Race", 0, KEY_SET_VALUE, &k) != ERROR_SUCCESS) {
                    ++failures;
                    continue;
                }
                char name[32];
                snprintf(name, sizeof name, "p%d_%d", p, i);
                DWORD value = (DWORD)(p * 1000 + i);
                failures += RegSetValueEx(k, name, 0, REG_DWORD, reinterpret_cast<BYTE*>(&value), 4) != 0;
                RegCloseKey(k);
            }
            _exit(failures == 0 ? 0 : 1);
        }
        children.push_back(pid);
    }
    for (pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    HKEY k = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Race", 0, KEY_READ, &k), ERROR_SUCCESS);
    for (int p = 0; p < kProcesses; ++p) {
        for (int i = 0; i < kValues; ++i) {
            char name[32];
            snprintf(name, sizeof name, "p%d_%d", p, i);
            DWORD value = 0, size = 4;
            ASSERT_EQ(RegQueryValueEx(k, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size),
                      ERROR_SUCCESS)
                << name;
            EXPECT_EQ(value, (DWORD)(p * 1000 + i));
        }
    }
    RegCloseKey(k);
}

TEST_F(RegistryStore, DamagedFileReadsWhatItCanAndIsKeptAsideOnTheNextWrite)
{
    mkdir((m_dir + "/sub").c_str(), 0700);
    const std::string damaged =
        "garbage first line\n"
        "[HKEY_CURRENT_USER\\Software\\Ok]\n"
        "\"Good\"=dword:0000000b\n"
        "\"Bad\"=dword:zz\n"
        "\"Cut\"=sz:\"no end\n"
        "[HKEY_NOWHERE\\X]\n"
        "\"Lost\"=sz:\"x\"\n"
        "\x01\x02\xff\n";
    std::ofstream(m_file, std::ios::binary) << damaged;

    HKEY k = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Ok", 0, KEY_ALL_ACCESS, &k), ERROR_SUCCESS);
    DWORD value = 0, size = 4;
    EXPECT_EQ(RegQueryValueEx(k, "Good", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size), ERROR_SUCCESS);
    EXPECT_EQ(value, 11u);
    EXPECT_EQ(RegQueryValueEx(k, "Bad", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegQueryValueEx(k, "Cut", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);

    value = 12;
    ASSERT_EQ(RegSetValueEx(k, "New", 0, REG_DWORD, reinterpret_cast<BYTE*>(&value), 4), ERROR_SUCCESS);
    RegCloseKey(k);
    EXPECT_EQ(ReadFile(m_file + ".damaged"), damaged);
    std::string now = ReadFile(m_file);
    EXPECT_EQ(now.rfind("MIVO REGISTRY 1\n", 0), 0u);
    EXPECT_NE(now.find("\"Good\"=dword:0000000b"), std::string::npos);
    EXPECT_NE(now.find("\"New\"=dword:0000000c"), std::string::npos);
}

TEST_F(RegistryStore, AFileThatIsNotAFileIsNeverWrittenOver)
{
    mkdir((m_dir + "/sub").c_str(), 0700);
    mkdir(m_file.c_str(), 0700);  // a folder where the store should be
    HKEY k = nullptr;
    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &k), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\X", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr),
              ERROR_REGISTRY_IO_FAILED);
    struct stat st;
    ASSERT_EQ(stat(m_file.c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
}

TEST_F(RegistryStore, TheFileLivesInTheUsersConfigurationFolder)
{
    unsetenv("MIVO_REGISTRY_FILE");
    std::string config = m_dir + "/config";
    const char* oldConfig = getenv("XDG_CONFIG_HOME");
    std::string saved = oldConfig ? oldConfig : "";
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    RegCloseKey(Create(HKEY_LOCAL_MACHINE, "Software\\Where"));
    struct stat st;
    EXPECT_EQ(stat((config + "/mivo/registry").c_str(), &st), 0);
    if (oldConfig) {
        setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    } else {
        unsetenv("XDG_CONFIG_HOME");
    }
}

TEST(WindowsVersion, AnswersWindowsXpOfTheNtFamily)
{
    DWORD v = GetVersion();
    EXPECT_EQ(LOBYTE(LOWORD(v)), 5);
    EXPECT_EQ(HIBYTE(LOWORD(v)), 1);
    EXPECT_EQ(v & 0x80000000u, 0u);

    OSVERSIONINFO info;
    memset(&info, 0, sizeof info);
    info.dwOSVersionInfoSize = sizeof info;
    ASSERT_TRUE(GetVersionEx(&info));
    EXPECT_EQ(sizeof info, 148u);
    EXPECT_EQ(info.dwMajorVersion, 5u);
    EXPECT_EQ(info.dwMinorVersion, 1u);
    EXPECT_EQ(info.dwPlatformId, (DWORD)VER_PLATFORM_WIN32_NT);

    OSVERSIONINFOEX ex;
    memset(&ex, 0, sizeof ex);
    ex.dwOSVersionInfoSize = sizeof ex;
    ASSERT_TRUE(GetVersionEx(&ex));
    EXPECT_EQ(ex.wProductType, VER_NT_WORKSTATION);
    EXPECT_EQ(ex.wServicePackMajor, 3);

    info.dwOSVersionInfoSize = 10;
    EXPECT_FALSE(GetVersionEx(&info));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INSUFFICIENT_BUFFER);
}

}  // namespace
