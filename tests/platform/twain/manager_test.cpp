// The source manager as a program reaches it: "TWAIN_32.DLL" by ordinal 1,
// the records' Windows layout, the sequence it keeps, the sources it lists
// and the events it recognises.
#include <gtest/gtest.h>

#include <win32.h>

#include "mivo/testing/twain.h"
#include "support/TempFolder.h"
#include "win32/twain.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

namespace {

TEST(TwainRecords, FieldsSitWhereWindowsPutsThem)
{
    EXPECT_EQ(4u, offsetof(TW_IDENTITY, Version));
    EXPECT_EQ(46u, offsetof(TW_IDENTITY, ProtocolMajor));
    EXPECT_EQ(50u, offsetof(TW_IDENTITY, SupportedGroups));
    EXPECT_EQ(54u, offsetof(TW_IDENTITY, Manufacturer));
    EXPECT_EQ(122u, offsetof(TW_IDENTITY, ProductName));
    EXPECT_EQ(4u, offsetof(TW_CAPABILITY, hContainer));
    EXPECT_EQ(2u, offsetof(TW_ONEVALUE, Item));
    EXPECT_EQ(4u, offsetof(TW_USERINTERFACE, hParent));
    EXPECT_EQ(sizeof(void*), offsetof(TW_EVENT, TWMessage));
    EXPECT_EQ(8u, offsetof(TW_IMAGEINFO, ImageWidth));
    EXPECT_EQ(34u, offsetof(TW_IMAGEINFO, BitsPerPixel));
    EXPECT_EQ(38u, offsetof(TW_IMAGEINFO, PixelType));
    EXPECT_EQ(2u, offsetof(TW_PENDINGXFERS, EOJ));
    EXPECT_EQ(4u, sizeof(TW_UINT32));
    EXPECT_EQ(4u, sizeof(TW_INT32));
}

class ManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // No scanner library configuration of the machine's: only the test source.
        std::ofstream(saneConfig.file("dll.conf"));
        setenv("SANE_CONFIG_DIR", saneConfig.path().c_str(), 1);
        mivo::SetTwainTestSource(mivo::TwainTestSourceSettings());
        module = LoadLibrary("TWAIN_32.DLL");
        ASSERT_NE(nullptr, module);
        entry = (DSMENTRYPROC)(void*)GetProcAddress(module, MAKEINTRESOURCE(1));
        ASSERT_NE(nullptr, entry);
        window = CreateWindowEx(0, "STATIC", "app", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, window);
        strcpy(app.ProductName, "Manager Test");
    }
    void TearDown() override
    {
        if (opened)
            Call(nullptr, DG_CONTROL, DAT_PARENT, MSG_CLOSEDSM, &window);
        DestroyWindow(window);
        FreeLibrary(module);
        unsetenv("SANE_CONFIG_DIR");
    }
    TW_UINT16 Call(pTW_IDENTITY dest, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data)
    {
        return entry(&app, dest, dg, dat, msg, data);
    }
    TW_UINT16 Condition(pTW_IDENTITY dest = nullptr)
    {
        TW_STATUS status = {};
        EXPECT_EQ(TWRC_SUCCESS, Call(dest, DG_CONTROL, DAT_STATUS, MSG_GET, &status));
        return status.ConditionCode;
    }
    void OpenManager()
    {
        ASSERT_EQ(TWRC_SUCCESS, Call(nullptr, DG_CONTROL, DAT_PARENT, MSG_OPENDSM, &window));
        opened = true;
    }

    mivotest::TempFolder saneConfig;
    HMODULE module = nullptr;
    DSMENTRYPROC entry = nullptr;
    HWND window = nullptr;
    TW_IDENTITY app = {};
    bool opened = false;
};

}  // namespace

TEST_F(ManagerTest, KeepsTheSequence)
{
    TW_IDENTITY source = {};
    EXPECT_EQ(TWRC_FAILURE, Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &source));
    EXPECT_EQ(TWCC_SEQERROR, Condition()) << "not before the manager is open";
    HWND notAWindow = (HWND)0x1234;
    EXPECT_EQ(TWRC_FAILURE, Call(nullptr, DG_CONTROL, DAT_PARENT, MSG_OPENDSM, &notAWindow));
    EXPECT_EQ(TWCC_BADVALUE, Condition());
    EXPECT_EQ(TWRC_FAILURE, entry(nullptr, nullptr, DG_CONTROL, DAT_PARENT, MSG_OPENDSM, &window));

    OpenManager();
    EXPECT_NE(0u, app.Id) << "the manager names the application";
    EXPECT_EQ(TWRC_FAILURE, Call(nullptr, DG_CONTROL, DAT_PARENT, MSG_OPENDSM, &window));
    EXPECT_EQ(TWCC_SEQERROR, Condition());

    ASSERT_EQ(TWRC_SUCCESS, Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &source));
    EXPECT_STREQ("Mivo Test Source", source.ProductName);
    TW_IDENTITY second = {};
    EXPECT_EQ(TWRC_FAILURE, Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &second));
    EXPECT_EQ(TWCC_MAXCONNECTIONS, Condition());

    TW_IDENTITY stranger = source;
    stranger.Id += 1000;
    TW_IMAGEINFO info = {};
    EXPECT_EQ(TWRC_FAILURE, Call(&stranger, DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info));
    EXPECT_EQ(TWRC_FAILURE, Call(&source, DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info));
    EXPECT_EQ(TWCC_SEQERROR, Condition(&source)) << "no picture before the source is enabled";
    EXPECT_EQ(TWCC_SUCCESS, Condition(&source)) << "reading the status clears it";
    EXPECT_EQ(TWRC_SUCCESS, Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &source));
}

TEST_F(ManagerTest, ListsTheTestSourceFirst)
{
    OpenManager();
    TW_IDENTITY id = {};
    ASSERT_EQ(TWRC_SUCCESS, Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETFIRST, &id));
    EXPECT_STREQ("Mivo Test Source", id.ProductName);
    EXPECT_EQ(DG_CONTROL | DG_IMAGE, (long)id.SupportedGroups);
    int more = 0;
    while (Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETNEXT, &id) == TWRC_SUCCESS && more < 100)
        more++;
    EXPECT_LT(more, 100);
    EXPECT_EQ(TWRC_ENDOFLIST, Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETNEXT, &id));
}

TEST_F(ManagerTest, RecognisesOnlyTheOpenSourcesEvents)
{
    OpenManager();
    TW_IDENTITY source = {};
    strcpy(source.ProductName, "Mivo Test Source");
    ASSERT_EQ(TWRC_SUCCESS, Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &source));
    TW_ONEVALUE one = {TWTY_INT16, 2};
    HGLOBAL container = GlobalAlloc(GHND, sizeof(one));
    memcpy(GlobalLock(container), &one, sizeof(one));
    GlobalUnlock(container);
    TW_CAPABILITY cap = {CAP_XFERCOUNT, TWON_ONEVALUE, container};
    ASSERT_EQ(TWRC_SUCCESS, Call(&source, DG_CONTROL, DAT_CAPABILITY, MSG_SET, &cap));
    GlobalFree(container);
    TW_USERINTERFACE ui = {FALSE, TRUE, window};
    ASSERT_EQ(TWRC_SUCCESS, Call(&source, DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui));

    MSG msg = {};
    ASSERT_TRUE(PeekMessage(&msg, window, 0, 0, PM_REMOVE)) << "a source without its UI is ready at once";
    TW_EVENT event = {&msg, MSG_NULL};
    EXPECT_EQ(TWRC_DSEVENT, Call(&source, DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event));
    EXPECT_EQ(MSG_XFERREADY, event.TWMessage);

    MSG forged = msg;
    forged.lParam += 1000;
    event = {&forged, MSG_XFERREADY};
    EXPECT_EQ(TWRC_NOTDSEVENT, Call(&source, DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event));
    EXPECT_EQ(MSG_NULL, event.TWMessage);
    MSG paint = {window, WM_PAINT, 0, 0};
    event = {&paint, MSG_NULL};
    EXPECT_EQ(TWRC_NOTDSEVENT, Call(&source, DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event));

    // Two pictures as asked, then the source asks to be closed.
    TW_PENDINGXFERS pending = {};
    for (int expected : {1, 0}) {
        TW_HANDLE dib = nullptr;
        ASSERT_EQ(TWRC_XFERDONE, Call(&source, DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &dib));
        ASSERT_NE(nullptr, dib);
        GlobalFree((HGLOBAL)dib);
        ASSERT_EQ(TWRC_SUCCESS, Call(&source, DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending));
        EXPECT_EQ(expected, pending.Count);
    }
    ASSERT_TRUE(PeekMessage(&msg, window, 0, 0, PM_REMOVE));
    event = {&msg, MSG_NULL};
    EXPECT_EQ(TWRC_DSEVENT, Call(&source, DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event));
    EXPECT_EQ(MSG_CLOSEDSREQ, event.TWMessage);
    EXPECT_EQ(2, mivo::TwainTestSourceDelivered());
}
