// The shell namespace on a temporary home folder with Korean names and a dot folder.
#include <gtest/gtest.h>

#include "mfc.h"
#include "mivo/codepage.h"
#include "mivo/paths.h"
#include "support/TempFolder.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using mivotest::TempFolder;

namespace {

std::string NameOf(IShellFolder* folder, LPCITEMIDLIST pidl, SHGDNF flags)
{
    STRRET r = {};
    if (FAILED(folder->GetDisplayNameOf(pidl, flags, &r)))
        return "<failed>";
    if (r.uType == STRRET_CSTR)
        return r.cStr;
    std::string text = mivo::Utf16ToAnsi(r.pOleStr);
    CoTaskMemFree(r.pOleStr);
    return text;
}

struct Namespace : ::testing::Test {
    TempFolder dir{"mivo-shell"};
    std::string savedHome;
    std::string home, homeWin;
    IShellFolder* desktop = nullptr;

    void MakeDir(const std::string& rel) { mkdir((dir.path() + "/" + mivo::ToUtf8(rel.c_str())).c_str(), 0755); }
    void MakeFile(const std::string& rel)
    {
        FILE* f = fopen((dir.path() + "/" + mivo::ToUtf8(rel.c_str())).c_str(), "wb");
        fputs("x", f);
        fclose(f);
    }

    void SetUp() override
    {
        const char* h = getenv("HOME");
        savedHome = h ? h : "";
        MakeDir("home");
        MakeDir("home/사진");
        MakeDir("home/사진/여름");
        MakeFile("home/사진/바다.jpg");
        MakeDir("home/.숨김");
        MakeDir("home/Beta");
        MakeFile("home/문서.txt");
        MakeFile("home/alpha");
        MakeDir("drive");
        MakeDir("drive/앨범");
        home = dir.path() + "/home";
        setenv("HOME", home.c_str(), 1);
        homeWin = mivo::FromPosixPath(home);
        mivo::SetDriveRoot('M', dir.path() + "/drive");
        ASSERT_EQ(S_OK, SHGetDesktopFolder(&desktop));
    }
    void TearDown() override
    {
        if (desktop)
            desktop->Release();
        mivo::SetDriveRoot('M', "");
        setenv("HOME", savedHome.c_str(), 1);
    }

    std::vector<std::string> Names(IShellFolder* folder, SHCONTF flags)
    {
        std::vector<std::string> out;
        IEnumIDList* e = nullptr;
        EXPECT_EQ(S_OK, folder->EnumObjects(nullptr, flags, &e));
        LPITEMIDLIST pidl;
        ULONG got = 0;
        HRESULT hr;
        while ((hr = e->Next(1, &pidl, &got)) == S_OK) {
            EXPECT_EQ(1u, got);
            out.push_back(NameOf(folder, pidl, SHGDN_INFOLDER));
            CoTaskMemFree(pidl);
        }
        EXPECT_EQ(S_FALSE, hr);
        EXPECT_EQ(0u, got);
        e->Release();
        return out;
    }

    LPITEMIDLIST Parse(IShellFolder* folder, const std::string& name)
    {
        std::u16string wide = mivo::AnsiToUtf16(name);
        LPITEMIDLIST pidl = nullptr;
        ULONG eaten = 0;
        HRESULT hr = folder->ParseDisplayName(nullptr, nullptr, (LPOLESTR)wide.c_str(), &eaten, &pidl, nullptr);
        return SUCCEEDED(hr) ? pidl : nullptr;
    }

    IShellFolder* Bind(IShellFolder* folder, LPCITEMIDLIST pidl)
    {
        IShellFolder* child = nullptr;
        EXPECT_EQ(S_OK, folder->BindToObject(pidl, nullptr, IID_IShellFolder, (void**)&child));
        return child;
    }
};

}  // namespace

TEST_F(Namespace, DesktopListsTheVirtualFoldersThenTheHomeFolder)
{
    EXPECT_EQ(homeWin, NameOf(desktop, nullptr, SHGDN_FORPARSING));
    EXPECT_EQ("바탕 화면", NameOf(desktop, nullptr, SHGDN_NORMAL));
    EXPECT_EQ((std::vector<std::string>{"내 컴퓨터", "네트워크 환경", "Beta", "사진"}), Names(desktop, SHCONTF_FOLDERS));
    EXPECT_EQ((std::vector<std::string>{"내 컴퓨터", "네트워크 환경", ".숨김", "Beta", "사진"}),
              Names(desktop, SHCONTF_FOLDERS | SHCONTF_INCLUDEHIDDEN));
    EXPECT_EQ((std::vector<std::string>{"내 컴퓨터", "네트워크 환경", "Beta", "사진", "alpha", "문서.txt"}),
              Names(desktop, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS));
    EXPECT_EQ((std::vector<std::string>{"alpha", "문서.txt"}), Names(desktop, SHCONTF_NONFOLDERS));
}

TEST_F(Namespace, MyComputerHoldsTheDrivesAndNetworkIsEmpty)
{
    LPITEMIDLIST drives = nullptr, network = nullptr;
    ASSERT_EQ(S_OK, SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &drives));
    ASSERT_EQ(S_OK, SHGetSpecialFolderLocation(nullptr, CSIDL_NETWORK, &network));
    EXPECT_EQ("내 컴퓨터", NameOf(desktop, drives, SHGDN_NORMAL));
    EXPECT_EQ("네트워크 환경", NameOf(desktop, network, SHGDN_NORMAL));
    char path[MAX_PATH] = "x";
    EXPECT_FALSE(SHGetPathFromIDList(drives, path));
    EXPECT_STREQ("", path);

    IShellFolder* computer = Bind(desktop, drives);
    std::vector<std::string> names = Names(computer, SHCONTF_FOLDERS);
    EXPECT_NE(std::find(names.begin(), names.end(), "로컬 디스크 (C:)"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), "로컬 디스크 (M:)"), names.end());
    LPITEMIDLIST m = Parse(computer, "M:\\");
    ASSERT_NE(m, nullptr);
    EXPECT_EQ("로컬 디스크 (M:)", NameOf(computer, m, SHGDN_NORMAL));
    IShellFolder* drive = Bind(computer, m);
    EXPECT_EQ((std::vector<std::string>{"앨범"}), Names(drive, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS));
    drive->Release();
    CoTaskMemFree(m);
    computer->Release();

    IShellFolder* net = Bind(desktop, network);
    EXPECT_TRUE(Names(net, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS).empty());
    net->Release();
    CoTaskMemFree(drives);
    CoTaskMemFree(network);
}

TEST_F(Namespace, AttributesTellFoldersFileSystemAndSubfolders)
{
    struct Case {
        std::string name;
        SFGAOF expected;
    } cases[] = {
        {homeWin + "\\사진", SFGAO_FOLDER | SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR | SFGAO_HASSUBFOLDER},
        {homeWin + "\\사진\\여름", SFGAO_FOLDER | SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR},
        {homeWin + "\\사진\\바다.jpg", SFGAO_FILESYSTEM},
        {homeWin + "\\.숨김", SFGAO_FOLDER | SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR | SFGAO_HIDDEN},
        {"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", SFGAO_FOLDER | SFGAO_FILESYSANCESTOR | SFGAO_HASSUBFOLDER},
    };
    const SFGAOF asked = SFGAO_FOLDER | SFGAO_FILESYSTEM | SFGAO_FILESYSANCESTOR | SFGAO_HASSUBFOLDER | SFGAO_HIDDEN;
    for (const Case& c : cases) {
        LPITEMIDLIST pidl = Parse(desktop, c.name);
        ASSERT_NE(pidl, nullptr) << c.name;
        SFGAOF a = asked;
        LPCITEMIDLIST list[] = {pidl};
        ASSERT_EQ(S_OK, desktop->GetAttributesOf(1, list, &a));
        EXPECT_EQ(c.expected, a) << c.name;
        CoTaskMemFree(pidl);
    }
}

TEST_F(Namespace, PathsRoundTripThroughIdentifierLists)
{
    std::vector<std::string> paths = {homeWin, homeWin + "\\사진", homeWin + "\\사진\\여름", homeWin + "\\사진\\바다.jpg",
                                      "C:\\", "M:\\앨범"};
    for (const std::string& p : paths) {
        LPITEMIDLIST pidl = Parse(desktop, p);
        ASSERT_NE(pidl, nullptr) << p;
        char back[MAX_PATH] = {};
        EXPECT_TRUE(SHGetPathFromIDList(pidl, back));
        EXPECT_EQ(p, back);
        EXPECT_EQ(p, NameOf(desktop, pidl, SHGDN_FORPARSING));
        CoTaskMemFree(pidl);
    }
    // Case does not matter, as on Windows; the list keeps the names on disk.
    LPITEMIDLIST upper = Parse(desktop, homeWin + "\\BETA");
    ASSERT_NE(upper, nullptr);
    char back[MAX_PATH] = {};
    EXPECT_TRUE(SHGetPathFromIDList(upper, back));
    EXPECT_EQ(homeWin + "\\Beta", back);
    CoTaskMemFree(upper);
    EXPECT_EQ(nullptr, Parse(desktop, homeWin + "\\없음"));
    EXPECT_EQ(nullptr, Parse(desktop, "\\\\server\\share"));

    LPITEMIDLIST desk = nullptr;
    ASSERT_EQ(S_OK, SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &desk));
    EXPECT_EQ(0, desk->mkid.cb);
    EXPECT_TRUE(SHGetPathFromIDList(desk, back));
    EXPECT_EQ(homeWin, back);
    CoTaskMemFree(desk);
}

TEST_F(Namespace, CompareIDsPutsFoldersFirstThenNamesIgnoringCase)
{
    LPITEMIDLIST home = Parse(desktop, homeWin);
    IShellFolder* folder = Bind(desktop, home);
    LPITEMIDLIST alpha = Parse(folder, "alpha"), beta = Parse(folder, "Beta"), photos = Parse(folder, "사진"),
                 doc = Parse(folder, "문서.txt");
    ASSERT_TRUE(alpha && beta && photos && doc);
    auto order = [&](LPCITEMIDLIST a, LPCITEMIDLIST b) {
        return (short)HRESULT_CODE(folder->CompareIDs(0, a, b));
    };
    EXPECT_LT(order(beta, alpha), 0);   // a folder before a file, whatever the names
    EXPECT_GT(order(alpha, beta), 0);
    EXPECT_LT(order(beta, photos), 0);  // "Beta" before the Korean name
    EXPECT_LT(order(alpha, doc), 0);
    EXPECT_EQ(0, order(photos, photos));
    for (LPITEMIDLIST p : {alpha, beta, photos, doc})
        CoTaskMemFree(p);
    folder->Release();
    CoTaskMemFree(home);
}

TEST_F(Namespace, FileInfoGivesKoreanTypeNamesAndIcons)
{
    struct Case {
        std::string path;
        const char* type;
        int icon;
    } cases[] = {
        {homeWin + "\\사진", "파일 폴더", 4},
        {homeWin + "\\사진\\바다.jpg", "JPEG 이미지", 7},
        {homeWin + "\\문서.txt", "TXT 파일", 6},
        {homeWin + "\\alpha", "파일", 6},
    };
    for (const Case& c : cases) {
        SHFILEINFO info = {};
        EXPECT_NE(0u, SHGetFileInfo(c.path.c_str(), 0, &info, sizeof info,
                                    SHGFI_TYPENAME | SHGFI_DISPLAYNAME | SHGFI_ICON | SHGFI_SMALLICON));
        EXPECT_STREQ(c.type, info.szTypeName) << c.path;
        EXPECT_EQ(c.icon, info.iIcon) << c.path;
        EXPECT_NE(nullptr, info.hIcon) << c.path;
        DestroyIcon(info.hIcon);
    }
    SHFILEINFO info = {};
    EXPECT_EQ(0u, SHGetFileInfo((homeWin + "\\없음.jpg").c_str(), 0, &info, sizeof info, SHGFI_TYPENAME));
    EXPECT_NE(0u, SHGetFileInfo("x.JPEG", FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                                SHGFI_USEFILEATTRIBUTES | SHGFI_TYPENAME));
    EXPECT_STREQ("JPEG 이미지", info.szTypeName);

    LPITEMIDLIST drives = nullptr;
    SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &drives);
    SHGetFileInfo((LPCSTR)drives, 0, &info, sizeof info, SHGFI_PIDL | SHGFI_DISPLAYNAME | SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    EXPECT_STREQ("내 컴퓨터", info.szDisplayName);
    EXPECT_EQ(1, info.iIcon);
    CoTaskMemFree(drives);

    LPITEMIDLIST photos = Parse(desktop, homeWin + "\\사진");
    IShellIcon* icons = nullptr;
    ASSERT_EQ(S_OK, desktop->QueryInterface(IID_IShellIcon, (void**)&icons));
    int index = -1;
    EXPECT_EQ(S_OK, icons->GetIconOf(photos, GIL_OPENICON, &index));
    EXPECT_EQ(5, index);
    icons->Release();
    CoTaskMemFree(photos);
}

TEST_F(Namespace, SystemImageListsHoldTheNamespaceIconsAtTwoSizes)
{
    SHFILEINFO info = {};
    std::string photos = homeWin + "\\사진";
    auto small = (HIMAGELIST)SHGetFileInfo(photos.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    auto large = (HIMAGELIST)SHGetFileInfo(photos.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_LARGEICON);
    ASSERT_NE(nullptr, small);
    ASSERT_NE(nullptr, large);
    EXPECT_NE(small, large);
    EXPECT_EQ(4, info.iIcon);
    EXPECT_EQ(8, ImageList_GetImageCount(small));
    int cx = 0, cy = 0;
    ASSERT_TRUE(ImageList_GetIconSize(small, &cx, &cy));
    EXPECT_EQ(16, cx);
    ASSERT_TRUE(ImageList_GetIconSize(large, &cx, &cy));
    EXPECT_EQ(32, cy);
    // Every caller gets the same list.
    EXPECT_EQ(small, (HIMAGELIST)SHGetFileInfo("C:\\", 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    EXPECT_EQ(2, info.iIcon);
}

TEST_F(Namespace, DamagedIdentifierListsAreRefused)
{
    std::vector<std::vector<BYTE>> damaged = {
        {3, 0, 'M', 0, 0},                                   // too short for a kind
        {6, 0, 'X', 'f', 'a', 0, 0, 0},                      // not ours
        {7, 0, 'M', 'f', 'a', 'b', 'c', 0, 0},               // name without its end
        {5, 0, 'M', 'd', '1', 0, 0},                         // not a drive letter
        {7, 0, 'M', 'f', '.', '.', 0, 0, 0},                 // a step up
        {4, 0, 'M', 'c', 5, 0, 'M', 'd', 'C', 200, 0, 0, 0},  // an identifier running past the end
        {1, 0, 0, 0},
    };
    for (auto bytes : damaged) {
        // An identifier list carries no size: a wrong length is read on into the
        // memory behind it, so the damaged lists lie in blocks with room to spare.
        bytes.resize(bytes.size() + 256, 0);
        char path[MAX_PATH];
        EXPECT_FALSE(SHGetPathFromIDList((LPCITEMIDLIST)bytes.data(), path));
        IShellFolder* child = nullptr;
        EXPECT_NE(S_OK, desktop->BindToObject((LPCITEMIDLIST)bytes.data(), nullptr, IID_IShellFolder, (void**)&child));
        SHFILEINFO info;
        EXPECT_EQ(0u, SHGetFileInfo((LPCSTR)bytes.data(), 0, &info, sizeof info, SHGFI_PIDL | SHGFI_TYPENAME));
    }
}

TEST_F(Namespace, SecurityCallsBeforeADeleteSucceedAndChangeNothing)
{
    std::string target = homeWin + "\\문서.txt";
    std::string posixTarget = home + "/" + mivo::ToUtf8("문서.txt");
    struct stat before;
    ASSERT_EQ(0, stat(posixTarget.c_str(), &before));
    HANDLE token = nullptr;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY | TOKEN_ADJUST_PRIVILEGES | READ_CONTROL, &token));
    TOKEN_PRIVILEGES tp = {};
    ASSERT_TRUE(LookupPrivilegeValue(nullptr, SE_TAKE_OWNERSHIP_NAME, &tp.Privileges[0].Luid));
    tp.PrivilegeCount = 1;
    tp.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    EXPECT_TRUE(AdjustTokenPrivileges(token, FALSE, &tp, sizeof tp, nullptr, nullptr));
    EXPECT_EQ((DWORD)ERROR_SUCCESS, GetLastError());
    BYTE buffer[1024];
    DWORD length = 0;
    ASSERT_TRUE(GetTokenInformation(token, TokenUser, buffer, sizeof buffer, &length));
    PSID user = ((TOKEN_USER*)buffer)->User.Sid;
    EXPECT_TRUE(IsValidSid(user));
    SECURITY_DESCRIPTOR sd;
    ASSERT_TRUE(InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION));
    EXPECT_TRUE(SetSecurityDescriptorOwner(&sd, user, FALSE));
    EXPECT_TRUE(SetFileSecurity(target.c_str(), OWNER_SECURITY_INFORMATION, &sd));

    BYTE sid[SECURITY_MAX_SID_SIZE];
    DWORD sidSize = sizeof sid;
    char domain[64];
    DWORD domainSize = sizeof domain;
    SID_NAME_USE use;
    ASSERT_TRUE(LookupAccountName(nullptr, "everyone", sid, &sidSize, domain, &domainSize, &use));
    EXPECT_EQ(12u, GetLengthSid(sid));
    DWORD aclSize = GetLengthSid(sid) + 16;
    std::vector<BYTE> acl(aclSize);
    ASSERT_TRUE(InitializeAcl((PACL)acl.data(), aclSize, ACL_REVISION));
    EXPECT_TRUE(AddAccessAllowedAce((PACL)acl.data(), ACL_REVISION, GENERIC_ALL, sid));
    EXPECT_FALSE(AddAccessAllowedAce((PACL)acl.data(), ACL_REVISION, GENERIC_ALL, sid));  // no room for two
    EXPECT_TRUE(SetSecurityDescriptorDacl(&sd, TRUE, (PACL)acl.data(), FALSE));
    EXPECT_TRUE(SetFileSecurity(target.c_str(), DACL_SECURITY_INFORMATION, &sd));
    EXPECT_FALSE(SetFileSecurity((homeWin + "\\없음").c_str(), DACL_SECURITY_INFORMATION, &sd));
    EXPECT_EQ((DWORD)ERROR_FILE_NOT_FOUND, GetLastError());
    EXPECT_TRUE(CloseHandle(token));

    struct stat after;
    ASSERT_EQ(0, stat(posixTarget.c_str(), &after));
    EXPECT_EQ(before.st_mode, after.st_mode);  // permissions untouched
    EXPECT_EQ(before.st_uid, after.st_uid);
}
