// The columns of the shown sites: eleven parallel arrays, one element per site,
// in reply order (hidden sites left out).
#pragma once

#include "mfc.h"

class CSiteTable {
public:
    // Columns of one row of the site list procedure.
    enum {
        COL_SITE_ID = 0,
        COL_1 = 1,
        COL_SITE_URL = 2,       // order address; for the maker's own site its program's file name
        COL_PROGRAM_PATH = 3,   // server path of that program
        COL_HOMEPAGE = 4,
        COL_PICTURE_FILE = 5,
        COL_PICTURE_PATH = 6,   // server path of the picture
        COL_PHONE = 13,
        COL_FAX = 14,
        COL_UPDATE_TIME = 15,   // "%Y-%m-%d %H:%M:%S"
        COL_HIDDEN = 16,        // "Y" or "y" hides the site
        COL_PROVIDER = 19,      // "Vantrel" marks the maker's own site
        COLUMN_COUNT = 20,
    };

    // Adds one site from a full row of COLUMN_COUNT texts.
    void AddRow(const CString (&row)[COLUMN_COUNT]);
    void RemoveAllSites();
    int GetSiteCount() const { return (int)m_arrSiteId.GetSize(); }
    // Whether site i is the maker's own (provider exactly "Vantrel").
    BOOL IsOwnSite(int i) const;

    CStringArray m_arrSiteId;
    CStringArray m_arrColumn1;
    CStringArray m_arrSiteUrl;
    CStringArray m_arrProgramPath;
    CStringArray m_arrHomePage;
    CStringArray m_arrPictureFile;
    CStringArray m_arrPicturePath;
    CStringArray m_arrPhone;
    CStringArray m_arrFax;
    CStringArray m_arrUpdateTime;
    CStringArray m_arrProvider;
};
