// The rename dialog: the name and extension edited apart, the file moved in its folder with its
// album rows and thumbnail following, and everything left alone when the name is taken or would
// leave the folder.
#include "AlbumFixture.h"

#include "album/DlgRenameFile.h"
#include "resource.h"
#include "support/MessageBoxCapture.h"

#include <fstream>
#include <sys/stat.h>

using albumtest::AlbumDatabase;
using albumtest::ScriptedOwner;
using mivo::test::QueueKey;

namespace {

class Rename : public AlbumDatabase {
protected:
    void SetUp() override
    {
        AlbumDatabase::SetUp();
        ::mkdir(data.file("A").c_str(), 0700);
        std::ofstream(data.file("A/photo.jpg")) << "photo";
        std::ofstream(data.file("A/taken.jpg")) << "taken";
        std::string path = data.windowsPath() + "A\\photo.jpg";
        ASSERT_TRUE(db.exec("insert into AlbumDetail (AlbumID, Seq, PathName) values (1,1,'" + path + "'),(2,4,'" +
                            path + "')"));
        ASSERT_TRUE(db.exec("insert into ThumbImages values (1,'" + path + "','2004-01-01 00:00',x'FFD8')"));
    }
    bool Exists(const std::string& name) const
    {
        struct stat st;
        return ::stat(data.file(name).c_str(), &st) == 0;
    }
    std::string Content(const std::string& name) const
    {
        std::ifstream in(data.file(name));
        std::string text;
        in >> text;
        return text;
    }
    // Runs the dialog on A\photo.jpg, types into the two fields and confirms.
    INT_PTR Run(CDlgRenameFile& dlg, const char* name, const char* extension, std::string* shown = nullptr)
    {
        ScriptedOwner run;
        dlg.m_strPath = ProgramPath("A\\photo.jpg");
        run.script.Then([&](HWND box) {
            char current[64] = "", newName[64] = "", ext[16] = "";
            ::GetDlgItemText(box, IDC_RENAME_CURRENT, current, sizeof current);
            ::GetDlgItemText(box, IDC_RENAME_NEW, newName, sizeof newName);
            ::GetDlgItemText(box, IDC_RENAME_EXT, ext, sizeof ext);
            if (shown)
                *shown = std::string(current) + "|" + newName + "|" + ext;
            ::SetDlgItemText(box, IDC_RENAME_NEW, name);
            ::SetDlgItemText(box, IDC_RENAME_EXT, extension);
            QueueKey(VK_RETURN);
        });
        return dlg.DoModal();
    }
};

}  // namespace

TEST_F(Rename, TheFileAndItsRowsTakeTheNewName)
{
    mivotest::MessageBoxCapture boxes;
    CDlgRenameFile dlg;
    std::string shown;
    EXPECT_EQ(IDOK, Run(dlg, "trip", ".jpg", &shown));
    EXPECT_EQ("photo|photo|.jpg", shown);
    EXPECT_EQ(ProgramPath("A\\trip.jpg"), dlg.m_strNewPath);
    EXPECT_EQ("photo", Content("A/trip.jpg"));
    EXPECT_FALSE(Exists("A/photo.jpg"));
    std::string trip = data.windowsPath() + "A\\trip.jpg";
    EXPECT_EQ("1:1:" + trip + " ; 2:4:" + trip, Details());
    EXPECT_EQ(trip, db.scalar("select ImgPath from ThumbImages where ThumbNo = 1"));
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(Rename, OnlyTheExtensionChanges)
{
    CDlgRenameFile dlg;
    EXPECT_EQ(IDOK, Run(dlg, "photo", ".png"));
    EXPECT_EQ("photo", Content("A/photo.png"));
    EXPECT_EQ(data.windowsPath() + "A\\photo.png", db.scalar("select PathName from AlbumDetail where Seq = 4"));
}

TEST_F(Rename, ATakenOrEscapingNameChangesNothing)
{
    struct Case {
        const char* name;
        const char* extension;
    } cases[] = {
        {"taken", ".jpg"}, {"..\\x", ".jpg"}, {"a/b", ".jpg"}, {"c:d", ".jpg"}, {"", ".jpg"},
        {"ok", ".\\jpg"},  {"..", ""},
    };
    for (const Case& c : cases) {
        mivotest::MessageBoxCapture boxes;
        CDlgRenameFile dlg;
        EXPECT_EQ(IDCANCEL, Run(dlg, c.name, c.extension)) << c.name << c.extension;
        ASSERT_EQ(1u, boxes.shown().size()) << c.name;
        EXPECT_EQ("파일명이 변경되지 않았습니다.", boxes.shown()[0].text);
        EXPECT_EQ("photo", Content("A/photo.jpg")) << c.name;
        EXPECT_EQ("taken", Content("A/taken.jpg")) << c.name;
    }
    EXPECT_EQ("", Content("x.jpg"));
    EXPECT_EQ("1:1:" + data.windowsPath() + "A\\photo.jpg ; 2:4:" + data.windowsPath() + "A\\photo.jpg", Details());
}
