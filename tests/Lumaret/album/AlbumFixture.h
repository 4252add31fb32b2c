// A copy of the shipped user database and a data folder with its "Temp" folder, made the
// program's own for one test.
#pragma once

#include <gtest/gtest.h>

#include "mfc.h"
#include "framework/VXApp.h"
#include "support/TempDatabase.h"
#include "support/TempFolder.h"

#include "support/DialogDriver.h"
#include "support/MessageLoop.h"

#include <functional>
#include <memory>
#include <string>
#include <sys/stat.h>

namespace albumtest {

// The program's application (its own when the program has one), with the data folder set.
inline CVXApp& ProgramApp(std::unique_ptr<CVXApp>& own, const std::string& dataFolder)
{
    CVXApp* app = dynamic_cast<CVXApp*>(AfxGetApp());
    if (app == nullptr) {
        own.reset(new CVXApp);
        app = own.get();
    }
    app->m_strDataDir = dataFolder.c_str();
    return *app;
}

class AlbumDatabase : public ::testing::Test {
protected:
    // Under the user database's own name, which the program's default login uses.
    mivotest::TempDatabase db{"MivoUser", {"MivoUser.sql", "MivoUserSeed.sql"}};
    mivotest::TempFolder data{"mivo-album"};
    std::unique_ptr<CVXApp> ownApp;
    CVXApp* app = nullptr;

    void SetUp() override
    {
        app = &ProgramApp(ownApp, data.windowsPath());
        ::mkdir(data.file("Temp").c_str(), 0700);
    }

    // Rows of a query, one "a:b:c" per row joined by " ; ", as UTF-8.
    std::string Rows(const std::string& columns, const std::string& table, const std::string& order) const
    {
        return db.scalar("select group_concat(r, ' ; ') from (select " + columns + " as r from " + table +
                         " order by " + order + ")");
    }
    std::string Details() const { return Rows("AlbumID||':'||Seq||':'||PathName", "AlbumDetail", "AlbumID, Seq"); }
    std::string Albums() const
    {
        return Rows("AlbumID||':'||AlbumName||':'||Parent", "AlbumMaster", "AlbumID");
    }
    // The data folder's file as a program path (CP949 name parts stay as given).
    CString ProgramPath(const std::string& name) const { return CString(data.windowsPath().c_str()) + name.c_str(); }
};

// The program's main window is the owner a modal script drives, so dialogs made without a
// parent, and the input boxes they open, run under the script.
struct ScriptedOwner {
    mivo::test::ModalScript script;
    CWnd owner;

    ScriptedOwner()
    {
        owner.Attach(script.Owner());
        AfxGetApp()->m_pMainWnd = &owner;
    }
    ~ScriptedOwner()
    {
        AfxGetApp()->m_pMainWnd = nullptr;
        owner.Detach();
        mivo::test::PumpUntilIdle();
    }
    ScriptedOwner(const ScriptedOwner&) = delete;
    ScriptedOwner& operator=(const ScriptedOwner&) = delete;
};

// A tree's items as "name(child,child)" in order, top level joined by ",".
inline std::string TreeText(CTreeCtrl& tree, HTREEITEM parent = TVI_ROOT)
{
    std::string text;
    HTREEITEM first = parent == TVI_ROOT ? tree.GetRootItem() : tree.GetChildItem(parent);
    for (HTREEITEM item = first; item; item = tree.GetNextSiblingItem(item)) {
        if (!text.empty())
            text += ",";
        text += (const char*)tree.GetItemText(item);
        text += "#" + std::to_string((int)tree.GetItemData(item));
        if (tree.GetChildItem(item))
            text += "(" + TreeText(tree, item) + ")";
    }
    return text;
}

}  // namespace albumtest
