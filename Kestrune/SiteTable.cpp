#include "SiteTable.h"

void CSiteTable::AddRow(const CString (&row)[COLUMN_COUNT])
{
    m_arrSiteId.Add(row[COL_SITE_ID]);
    m_arrColumn1.Add(row[COL_1]);
    m_arrSiteUrl.Add(row[COL_SITE_URL]);
    m_arrProgramPath.Add(row[COL_PROGRAM_PATH]);
    m_arrHomePage.Add(row[COL_HOMEPAGE]);
    m_arrPictureFile.Add(row[COL_PICTURE_FILE]);
    m_arrPicturePath.Add(row[COL_PICTURE_PATH]);
    m_arrPhone.Add(row[COL_PHONE]);
    m_arrFax.Add(row[COL_FAX]);
    m_arrUpdateTime.Add(row[COL_UPDATE_TIME]);
    m_arrProvider.Add(row[COL_PROVIDER]);
}

void CSiteTable::RemoveAllSites()
{
    CStringArray* all[] = {&m_arrSiteId,      &m_arrColumn1,     &m_arrSiteUrl, &m_arrProgramPath,
                           &m_arrHomePage,    &m_arrPictureFile, &m_arrPicturePath, &m_arrPhone,
                           &m_arrFax,         &m_arrUpdateTime,  &m_arrProvider};
    for (CStringArray* a : all)
        a->RemoveAll();
}

BOOL CSiteTable::IsOwnSite(int i) const
{
    return i >= 0 && i < GetSiteCount() && m_arrProvider[i] == "Vantrel";
}
