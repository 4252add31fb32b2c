// CCalendarEditorLink: how the make-calendar dialog hands its composed page to the image editor.
// The program's link opens a new editor document "Calendar" that takes the picture over; tests
// install a stand-in that records what it was given.
#pragma once

#include "mfc.h"

class CImageObject;

class CCalendarEditorLink {
public:
    virtual ~CCalendarEditorLink() = default;

    // Gives the picture to a new editor document titled "Calendar", which then owns it and is
    // its progress window; FALSE (the picture still the caller's) when no editor opened.
    virtual BOOL TakeCalendar(CImageObject* picture) = 0;

    // The program's link, or the one a test installed.
    static CCalendarEditorLink& Get();
    // Null puts the program's link back.
    static void Install(CCalendarEditorLink* link);
};
