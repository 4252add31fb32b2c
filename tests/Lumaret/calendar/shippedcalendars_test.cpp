// The calendar templates the program ships with open in the composition: their GIF backgrounds
// load, and their boxes and day areas lie inside the background.
#include <gtest/gtest.h>

#include "calendar/CalendarComposer.h"
#include "calendar/CalendarForms.h"
#include "image/ImageObject.h"
#include "shell/MainApp.h"
#include "support/TempDatabase.h"
#include "support/TempFolder.h"

#include <memory>
#include <sys/stat.h>

TEST(ShippedCalendars, EveryTemplateLoadsItsBackgroundAndComposesWithinIt)
{
    mivotest::TempDatabase db{"Mivo", {"Mivo.sql", "CalendarSeed.sql"}};
    mivotest::TempFolder data{"mivo-calendar-shipped"};
    theApp.m_strDataDir = data.windowsPath().c_str();
    theApp.m_strTmplDSN = "Mivo";
    ::mkdir(data.file("Temp").c_str(), 0700);
    std::vector<CalendarListRow> rows = CCalendarForms::List();
    ASSERT_EQ(2u, rows.size());
    for (const CalendarListRow& row : rows) {
        SCOPED_TRACE(row.nCalNo);
        CalendarForm form;
        CalendarUnpacked picture;
        ASSERT_EQ(1, CCalendarForms::Load(row.nCalNo, form, picture));
        ASSERT_EQ(CalendarUnpacked::WRITTEN, picture.nState);
        CImageObject back;
        ASSERT_EQ(1, back.LoadImageFromFile(picture.strPath, 0));
        EXPECT_LE(form[CAL_USER_X] + form[CAL_USER_WIDTH], back.GetWidth());
        EXPECT_LE(form[CAL_USER_Y] + form[CAL_USER_HEIGHT], back.GetHeight());
        EXPECT_LE(form[CAL_DAYS_X] + form[CAL_DAYS_WIDTH], back.GetWidth());
        EXPECT_LE(form[CAL_DAYS_Y] + form[CAL_DAYS_HEIGHT], back.GetHeight());
        CalendarComposeInput in;
        in.form = form;
        in.strYear = "2026";
        in.strMonth = "2";
        in.strDayFace = "돋움";
        std::unique_ptr<CImageObject> page(CCalendarComposer::Compose(back, nullptr, in, nullptr, nullptr));
        ASSERT_TRUE(page);
        EXPECT_EQ(back.GetWidth(), page->GetWidth());
    }
}
