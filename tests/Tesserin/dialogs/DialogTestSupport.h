// Shared pieces of the library dialog tests: an application whose profile store lives in a
// temporary folder, and dialog templates and bitmaps registered as program resources.
#pragma once

#include "framework/VXApp.h"
#include "mivo/resources.h"
#include "support/DialogTemplateBuilder.h"
#include "support/TempFolder.h"

#include <functional>
#include <list>
#include <vector>

namespace dialogtest {

const char kProfileFile[] = "Profile.DialogTest";

// The current application, keeping its profile in a fresh folder; every operation opens the store.
class ProfileApp {
public:
    ProfileApp();
    CVXApp& app() { return m_app; }

private:
    mivotest::TempFolder m_folder;
    CVXApp m_app;
};

// Resources registered in the program module while the object lives.
class TestResources {
public:
    TestResources() = default;
    ~TestResources();
    TestResources(const TestResources&) = delete;
    TestResources& operator=(const TestResources&) = delete;

    void AddDialog(WORD id, mivo::test::DialogTemplateBuilder& builder);
    // A 24-bit bitmap resource whose pixel (x, y), counted from the top, is colour(x, y).
    void AddBitmap(WORD id, int width, int height, const std::function<COLORREF(int x, int y)>& colour);
    // Registers everything added so far.
    void Register();

private:
    std::list<std::vector<BYTE>> m_data;
    std::vector<mivo::ResourceEntry> m_entries;
    mivo::ResourceTable m_table{};
    bool m_registered = false;
};

}  // namespace dialogtest
