// CODBCQuery with the library's own edit fields and combo boxes: columns set from them and values
// shown in them. The query class's only reach into the controls.
#include "framework/ODBCQuery.h"

#include "controls/VXComboBox.h"
#include "controls/VXEdit.h"

#include <cstdlib>

void CODBCQuery::SetStringColumnFromVXCombo(CString strName, CVXComboBox* pCombo)
{
    LPCSTR code = pCombo ? pCombo->GetMatchCode() : nullptr;
    appendColumn(strName, code ? code : "", KIND_TEXT);
}

void CODBCQuery::SetCompactDateColumnFromVXEdit(CString strName, CVXEdit* pEdit)
{
    CString text;
    if (pEdit && pEdit->GetSafeHwnd())
        pEdit->GetWindowText(text);
    SetCompactDateColumn(strName, text);
}

void CODBCQuery::SetNumberColumnFromVXEdit(CString strName, CVXEdit* pEdit)
{
    if (pEdit)
        SetNumberColumn(strName, pEdit->GetValue(), pEdit->GetDecimals());
    else
        SetNumberColumn(strName, 0.0, 0);
}

char* CODBCQuery::ColumnValueNameInVXCombo(int nIndex, CVXComboBox* pCombo)
{
    char* value = ColumnValue(nIndex, 1);
    // An empty code names nothing; a name longer than the column's buffer is cut to it.
    if (value && *value && pCombo)
        pCombo->GetMatchName(value, value, m_nCapacity[nIndex]);
    return value;
}

char* CODBCQuery::ColumnValueNameInVXCombo(const char* pszName, CVXComboBox* pCombo)
{
    return ColumnValueNameInVXCombo(findResultColumn(pszName), pCombo);
}

void CODBCQuery::ColumnValueNumberToVXEdit(int nIndex, CVXEdit* pEdit)
{
    char* value = ColumnValue(nIndex, 1);
    if (value && pEdit)
        pEdit->SetValue(std::strtod(value, nullptr));
}

void CODBCQuery::ColumnValueNumberToVXEdit(const char* pszName, CVXEdit* pEdit)
{
    ColumnValueNumberToVXEdit(findResultColumn(pszName), pEdit);
}
