// The edit control's context menu: it appears at the click and its Paste pastes.
#include "ControlFixture.h"

#include <mivo/testing/input.h>

#include <cstring>
#include <string>

using namespace mivo::test;

namespace {

const int kEdit = 40;

void PutOnClipboard(const char* text)
{
    size_t size = std::strlen(text) + 1;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(block), text, size);
    GlobalUnlock(block);
    OpenClipboard(nullptr);
    EmptyClipboard();
    SetClipboardData(CF_TEXT, block);
    CloseClipboard();
}

// What the menu window showed while the loop ran, seen from a timer inside the loop.
struct Sighting {
    bool shown = false;
    RECT rect = {0, 0, 0, 0};
};
Sighting g_sighting;

void CALLBACK LookForMenu(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND menu = FindWindow("#32768", nullptr);
    if (!menu || !IsWindowVisible(menu))
        return;
    KillTimer(nullptr, id);
    g_sighting.shown = true;
    GetWindowRect(menu, &g_sighting.rect);
    mivo::InjectKey('P', true);  // 붙여넣기(&P)
    mivo::InjectKey('P', false);
}

}  // namespace

class EditMenuTest : public controls_test::ControlFixture {};

TEST_F(EditMenuTest, ContextMenuAppearsAtTheClickAndPastes)
{
    HWND edit = Child("Edit", "사진", ES_AUTOHSCROLL, 10, 10, 200, 24, kEdit);
    SetFocus(edit);
    SendMessage(edit, EM_SETSEL, 4, 4);
    PutOnClipboard("앨범");
    g_sighting = Sighting();
    SetTimer(nullptr, 0, 10, LookForMenu);
    POINT at{30, 20};
    ClientToScreen(edit, &at);
    SendMessage(edit, WM_CONTEXTMENU, (WPARAM)edit, MAKELPARAM(at.x, at.y));
    EXPECT_TRUE(g_sighting.shown);
    EXPECT_EQ(at.x, g_sighting.rect.left) << "the menu drops from the point clicked";
    EXPECT_EQ(at.y, g_sighting.rect.top);
    EXPECT_EQ("사진앨범", TextOf(edit));
    EXPECT_EQ(nullptr, FindWindow("#32768", nullptr)) << "the menu window is gone";
}
