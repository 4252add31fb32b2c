// Shell nodes over a temporary drive: filling by depth budget, the has-children flag, finding
// by path and list, names and icons.
#include "ShellFixture.h"

#include "controls/ShellFunctions.h"
#include "controls/ShellTreeNode.h"

#include <memory>
#include <string>
#include <vector>

namespace {

std::vector<std::string> ChildNames(ITreeNode* node)
{
    std::vector<std::string> names;
    for (int i = 0; i < node->GetChildCount(); ++i)
        names.push_back(node->GetChild(i)->GetName());
    return names;
}

struct ShellNodes : ShellFixture {
    std::unique_ptr<ShellTreeNode> root;
    ITreeNode* computer = nullptr;

    void SetUp() override
    {
        ShellFixture::SetUp();
        root = std::make_unique<ShellTreeNode>();
        ITEMIDLIST* drives = SHCreateSpecialPIDL(CSIDL_DRIVES);
        computer = root->FindByIDL(drives);
        SHFree1(drives);
        ASSERT_NE(nullptr, computer);
    }
};

}  // namespace

TEST_F(ShellNodes, TheRootIsTheDesktop)
{
    EXPECT_STREQ("바탕 화면", root->GetName());
    EXPECT_EQ(mivo::FromPosixPath(dir.path() + "/home"), root->GetPath());
    EXPECT_EQ(nullptr, root->GetParent());
    EXPECT_EQ(2u, SHGetIDLSize(root->GetFullIDL()));
    EXPECT_EQ((std::vector<std::string>{"내 컴퓨터", "네트워크 환경", "사진"}), ChildNames(root.get()));
    EXPECT_STREQ("내 컴퓨터", computer->GetName());
    EXPECT_FALSE(computer->IsFileSystem());
}

TEST_F(ShellNodes, AFolderHoldingOnlyFilesHasChildrenOnlyWhenFilesAreListed)
{
    struct Case {
        DWORD flags;
        std::vector<std::string> children;
        bool hasChildren;
    };
    for (const Case& c : {Case{0, {}, false}, Case{kNodeWithFiles, {"메모.txt"}, true}}) {
        ITreeNode* memo = computer->FindByPath("M:\\문서", 1);
        ASSERT_NE(nullptr, memo);
        memo->SetFlags(c.flags | kNodeHasChildren);
        memo->SetDepth(1);
        memo->Fill();
        EXPECT_EQ(c.children, ChildNames(memo)) << c.flags;
        EXPECT_EQ(c.hasChildren, memo->HasChildren()) << c.flags;
    }
}

TEST_F(ShellNodes, FindingByPathFillsTheWayAndPrefersTheExactName)
{
    ITreeNode* sea = computer->FindByPath("M:\\앨범\\여름\\바다", 1);
    ASSERT_NE(nullptr, sea);
    EXPECT_STREQ("바다", sea->GetName());
    EXPECT_STREQ("M:\\앨범\\여름\\바다", sea->GetPath());
    EXPECT_TRUE(sea->IsFolder());
    EXPECT_TRUE(sea->IsFileSystem());
    EXPECT_FALSE(sea->IsInNetwork());
    EXPECT_EQ(nullptr, computer->FindByPath("M:\\앨범\\없음\\더", 1));
    EXPECT_EQ(nullptr, computer->FindByPath("M:\\앨범\\없음", 1));
    ITreeNode* drive = computer->FindByPath("M:\\", 1);
    ASSERT_NE(nullptr, drive);
    EXPECT_STREQ("M:\\", drive->GetPath());
    EXPECT_STREQ("beta", computer->FindByPath("M:\\beta", 1)->GetName());
    EXPECT_STREQ("Beta", computer->FindByPath("M:\\Beta", 1)->GetName());
    EXPECT_STREQ("Beta", computer->FindByPath("m:\\BETA", 1)->GetName());  // the first ignoring case
}

TEST_F(ShellNodes, FindingByListWalksIdentifiersAndIconsAreCached)
{
    ITreeNode* summer = computer->FindByPath("M:\\앨범\\여름", 1);
    ASSERT_NE(nullptr, summer);
    ITEMIDLIST* copy = SHCopyIDL(summer->GetFullIDL());
    EXPECT_EQ(summer, root->FindByIDL(copy));
    EXPECT_TRUE(summer->IsEqualIDL(copy));
    EXPECT_TRUE(summer->IsEqualID(SHGetIDL(copy, 3)));
    EXPECT_FALSE(summer->IsEqualID(nullptr));
    SHFree1(copy);
    const SHFILEINFO* normal = summer->GetFileInfo();
    const SHFILEINFO* open = summer->GetOpenFileInfo();
    EXPECT_GT(normal->iIcon, 0);
    EXPECT_NE(normal->iIcon, open->iIcon);
    EXPECT_NE(std::string(summer->GetDebugText()).find("] 여름"), std::string::npos);
    EXPECT_EQ(0, std::string(summer->GetDebugText()).find("[IId="));
}

TEST_F(ShellNodes, SiblingsCompareFoldersFirstThenByName)
{
    ITreeNode* album = computer->FindByPath("M:\\앨범", 1);
    ASSERT_NE(nullptr, album);
    album->SetFlags(kNodeWithFiles);
    album->SetDepth(1);
    album->Fill();
    ASSERT_EQ((std::vector<std::string>{"여름", "표지.jpg"}), ChildNames(album));
    EXPECT_LT(album->GetChild(0)->Compare(album->GetChild(1)), 0);
    EXPECT_GT(album->GetChild(1)->Compare(album->GetChild(0)), 0);
    EXPECT_EQ(0, album->GetChild(0)->Compare(album->GetChild(0)));
    EXPECT_FALSE(album->GetChild(1)->IsFolder());
    EXPECT_EQ(nullptr, album->GetChild(2));
    EXPECT_EQ(0, root->Compare(album));  // no parent folder
}
