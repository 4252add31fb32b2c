#include "print/PrintForm.h"

#include "framework/ODBCQuery.h"
#include "framework/VXApp.h"

#include <cstdlib>

namespace {

const char* const kNumColumns[6] = {"Num1", "Num2", "Num3", "Num4", "Num5", "Num6"};

CString Text(CODBCQuery& query, const char* column)
{
    const char* value = query.ColumnValue(column, 1);
    return value ? CString(value) : CString();
}

CVXApp* App()
{
    return dynamic_cast<CVXApp*>(AfxGetApp());
}

}  // namespace

int PrintFormNumber(const char* text)
{
    return text ? (int)std::strtol(text, nullptr, 10) : 0;
}

void PrintForm::CountPages(int pictures)
{
    int per = PicturesPerPage();
    nPageCount = pictures / per + (pictures % per ? 1 : 0);
}

void PrintForm::ResetPrintFlags()
{
    for (PrintFormItem& item : items)
        item.nPrintFlag = 1;
}

int PrintForm::Load(int formNo, int pictures)
{
    nFormNo = formNo;
    CVXApp* app = App();
    if (!app)
        return 0;
    CWaitCursor wait;
    CODBCQuery query(app->m_strTmplDSN, app->m_strTmplUID, app->m_strTmplPWD, 1);
    query.InitQuery();
    for (const char* column : {"PaperDir", "SizeName", "PaperWidth", "PaperHeight", "NumOfPics"})
        query.SetStringColumn(column, "", 1);
    CString filter;
    filter.Format("PrFormNo = %d", formNo);
    query.SetFilter(filter);
    if (!query.RunStructQuery("Select From PrFormMaster") || !query.FetchNextRow()) {
        query.CloseQuery();
        return 0;
    }
    strPaperDir = Text(query, "PaperDir");
    strSizeName = Text(query, "SizeName");
    nPaperWidth = PrintFormNumber(query.ColumnValue("PaperWidth", 1));
    nPaperHeight = PrintFormNumber(query.ColumnValue("PaperHeight", 1));
    nNumOfPics = PrintFormNumber(query.ColumnValue("NumOfPics", 1));

    items.clear();
    query.ResetQuery();
    query.SetStringColumn("Seq", "", 1);
    query.SetStringColumn("DrawType", "", 1);
    for (const char* column : kNumColumns)
        query.SetStringColumn(column, "", 1);
    query.SetStringColumn("Str1", "", 1);
    query.SetFilter(filter);
    if (query.RunStructQuery("Select From PrFormDetail")) {
        while (query.FetchNextRow()) {
            PrintFormItem item;
            item.strDrawType = Text(query, "DrawType");
            for (int i = 0; i < 6; ++i)
                item.nNum[i] = (UINT)PrintFormNumber(query.ColumnValue(kNumColumns[i], 1));
            item.strStr1 = Text(query, "Str1");
            items.push_back(item);
        }
    }
    query.CloseQuery();
    CountPages(pictures);
    return 1;
}
