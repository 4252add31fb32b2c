// The shipped template database (print forms 1 to 6) or user database (the cart) in a
// temporary folder, a data folder, and photographs in four coloured quarters.
#pragma once

#include <gtest/gtest.h>

#include "mfc.h"
#include "image/ImageObject.h"
#include "shell/MainApp.h"
#include "support/TempDatabase.h"
#include "support/TempFolder.h"

#include <cstdlib>
#include <memory>
#include <string>
#include <sys/stat.h>

namespace printtest {

// Quarter colours of the test photographs: top left, top right, bottom left, bottom right.
const COLORREF kTopLeft = RGB(220, 30, 30);
const COLORREF kTopRight = RGB(30, 180, 30);
const COLORREF kBottomLeft = RGB(30, 30, 220);
const COLORREF kBottomRight = RGB(230, 210, 20);

// A picture of w x h in the four quarter colours (optionally all one colour).
inline CImageObject* QuarterPicture(int w, int h, COLORREF solid = CLR_INVALID)
{
    CImageObject maker;
    CImageObject* p = maker.MakeBlankImageObject(RGB(255, 255, 255), w, h);
    if (solid != CLR_INVALID) {
        p->DrawRect(CRect(0, 0, w - 1, h - 1), solid, TRUE, 0, 1, FALSE, 0);
        return p;
    }
    p->DrawRect(CRect(0, 0, w / 2 - 1, h / 2 - 1), kTopLeft, TRUE, 0, 1, FALSE, 0);
    p->DrawRect(CRect(w / 2, 0, w - 1, h / 2 - 1), kTopRight, TRUE, 0, 1, FALSE, 0);
    p->DrawRect(CRect(0, h / 2, w / 2 - 1, h - 1), kBottomLeft, TRUE, 0, 1, FALSE, 0);
    p->DrawRect(CRect(w / 2, h / 2, w - 1, h - 1), kBottomRight, TRUE, 0, 1, FALSE, 0);
    return p;
}

// Colours match within JPEG's small errors.
inline bool Near(COLORREF a, COLORREF b, int tolerance = 40)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

class DataFolder : public ::testing::Test {
protected:
    mivotest::TempFolder data{"mivo-print"};

    void SetUp() override
    {
        theApp.m_strDataDir = data.windowsPath().c_str();
        ::mkdir(data.file("Temp").c_str(), 0700);
    }
    // A quarter-coloured JPEG in the data folder; its program path.
    CString Photo(const std::string& name, int w, int h, COLORREF solid = CLR_INVALID) const
    {
        std::unique_ptr<CImageObject> p(QuarterPicture(w, h, solid));
        CString path = CString(data.windowsPath().c_str()) + name.c_str();
        p->Save(path);
        return path;
    }
};

class TemplateDatabase : public DataFolder {
protected:
    mivotest::TempDatabase tmpl{"Mivo", {"Mivo.sql", "MivoSeed.sql"}};

    void SetUp() override
    {
        DataFolder::SetUp();
        theApp.m_strTmplDSN = "Mivo";
    }
};

class UserDatabase : public DataFolder {
protected:
    mivotest::TempDatabase user{"MivoUser", {"MivoUser.sql", "MivoUserSeed.sql"}};

    void SetUp() override
    {
        DataFolder::SetUp();
        theApp.m_strUserDSN = "MivoUser";
    }
};

}  // namespace printtest
