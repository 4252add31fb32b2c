#include "templates/TemplateTables.h"

#include "album/AlbumTables.h"
#include "framework/ODBCQuery.h"
#include "mivo/Trace.h"
#include "shell/MainApp.h"
#include "shell/WholeFile.h"

#include <cstdlib>

namespace {

// The names of one family's table, in the order its columns are listed.
struct FamilyColumns {
    const char* table;
    const char* key;
    const char* name;
    const char* date;
    const char* width;
    const char* height;
    const char* width2;  // frames only
    const char* memo;
    const char* fileType[2];
    const char* regUser;
    const char* image[2];
    const char* tempFormat[2];
};

const FamilyColumns kFamilies[3] = {
    {"FrameImgs", "FrameNo", "FrameName", "FrameDate", "FrameWidth", "FrameHeight", "FrameWidth2", "FrameMemo",
     {"FileType1", "FileType2"}, "RegUser", {"FrameImage1", "FrameImage2"},
     {"%sTemp\\TmplFrame1%d.%s", "%sTemp\\TmplFrame2%d.%s"}},
    {"MaskImgs", "MaskNo", "MaskName", "MaskDate", "MaskWidth", "MaskHeight", nullptr, "MaskMemo",
     {"FileType", nullptr}, "RegUser", {"MaskImage", nullptr}, {"%sTemp\\TmplMask%d.%s", nullptr}},
    {"PatternImgs", "PatternNo", "PatternName", "PatternDate", "PatternWidth", "PatternHeight", nullptr,
     "PatternMemo", {"FileType", nullptr}, "RegUser", {"PatternImage", nullptr},
     {"%sTemp\\TmplPattern%d.%s", nullptr}},
};

// An extension longer than this is no file type of a picture.
const int kLongestFileType = 16;

const FamilyColumns& Columns(TemplateFamily family)
{
    int index = family >= TEMPLATE_FRAME && family <= TEMPLATE_PATTERN ? (int)family : 0;
    return kFamilies[index];
}

CString KeyFilter(const FamilyColumns& c, int key)
{
    CString filter;
    filter.Format("%s = %d", c.key, key);
    return filter;
}

CString Text(CODBCQuery& query, const char* column)
{
    const char* value = column ? query.ColumnValue(column, 1) : nullptr;
    return value ? CString(value) : CString();
}

int Number(CODBCQuery& query, const char* column)
{
    const char* value = column ? query.ColumnValue(column, 0) : nullptr;
    return value ? (int)std::atol(value) : 0;
}

// The text and number columns after the key, in table order.
void ListInfoColumns(CODBCQuery& query, const FamilyColumns& c, int pictures)
{
    for (const char* column : {c.name, c.date, c.width, c.height, c.width2, c.memo})
        if (column)
            query.SetStringColumn(column, "", 1);
    for (int i = 0; i < pictures; ++i)
        query.SetStringColumn(c.fileType[i], "", 1);
    query.SetStringColumn(c.regUser, "", 1);
    query.SetDataBufSize(CString(c.name), CTemplateTables::LONGEST_TEXT);
    query.SetDataBufSize(CString(c.memo), CTemplateTables::LONGEST_TEXT);
}

void ReadInfo(CODBCQuery& query, const FamilyColumns& c, int pictures, TemplateInfo& info)
{
    info.strName = Text(query, c.name);
    info.strDate = Text(query, c.date);
    info.nWidth = Number(query, c.width);
    info.nHeight = Number(query, c.height);
    info.nWidth2 = Number(query, c.width2);
    info.strMemo = Text(query, c.memo);
    for (int i = 0; i < 2; ++i)
        info.strFileType[i] = i < pictures ? Text(query, c.fileType[i]) : CString();
    info.strRegUser = Text(query, c.regUser);
}

bool ReadBlob(CODBCQuery& query, const char* column, std::vector<BYTE>& bytes)
{
    bytes.clear();
    int length = query.GetBLOBColumnLen(column);
    if (length <= 0)
        return true;
    if (length > CTemplateTables::LARGEST_PICTURE) {
        MIVO_WARN(kTraceLumaret, "%s holds %d bytes, more than any picture of ours", column, length);
        return false;
    }
    bytes.assign((size_t)length, 0);
    if (!query.GetColumnValueBLOB(column, bytes.data(), length)) {
        bytes.clear();
        return false;
    }
    return true;
}

TemplateUnpacked Unpack(CODBCQuery& query, TemplateFamily family, int slot, int key, const CString& fileType)
{
    TemplateUnpacked result;
    const char* column = Columns(family).image[slot];
    CString path = CTemplateTables::TempFileName(family, slot, key, fileType);
    if (path.IsEmpty()) {
        MIVO_WARN(kTraceLumaret, "%s %d: file type \"%s\" is no extension", column, key, (LPCSTR)fileType);
        result.nState = TemplateUnpacked::BAD_TYPE;
        return result;
    }
    std::vector<BYTE> bytes;
    if (!ReadBlob(query, column, bytes)) {
        result.nState = TemplateUnpacked::NOT_WRITTEN;
        return result;
    }
    if (bytes.empty()) {
        result.nState = TemplateUnpacked::EMPTY;
        result.strPath = path;
        return result;
    }
    if (!WriteWholeFile(path, bytes)) {
        MIVO_WARN(kTraceLumaret, "cannot write %s", (LPCSTR)path);
        result.nState = TemplateUnpacked::NOT_WRITTEN;
        return result;
    }
    result.nState = TemplateUnpacked::WRITTEN;
    result.strPath = path;
    return result;
}

// The columns of an insert or update, in the order both share; a picture slot is listed only
// with its bytes.
void SetRowColumns(CODBCQuery& query, const FamilyColumns& c, int key, const TemplateInfo& info, int pictures,
                   const TemplatePictureFile* files[2], std::vector<BYTE> bytes[2])
{
    query.SetNumberColumn(c.key, key, 0);
    query.SetStringColumn(CString(c.name), info.strName, 1);
    query.SetStringColumn(CString(c.date), info.strDate, 1);
    query.SetNumberColumn(c.width, info.nWidth, 0);
    query.SetNumberColumn(c.height, info.nHeight, 0);
    if (c.width2)
        query.SetNumberColumn(c.width2, info.nWidth2, 0);
    query.SetStringColumn(CString(c.memo), info.strMemo, 1);
    query.SetStringColumn(CString(c.regUser), CString("User"), 1);
    for (int i = 0; i < pictures; ++i) {
        if (files[i] == nullptr)
            continue;
        query.SetStringColumn(CString(c.fileType[i]), files[i]->strFileType, 1);
        query.SetBLOBColumn(c.image[i], bytes[i].data(), (int)bytes[i].size());
    }
}

// Reads every picture given before anything is sent: a file gone since it was chosen stops the
// save, so no empty or partial BLOB replaces a stored picture.
bool ReadPictures(int pictures, const TemplatePictureFile* files[2], std::vector<BYTE> bytes[2])
{
    for (int i = 0; i < pictures; ++i) {
        if (files[i] == nullptr)
            continue;
        if (!CTemplateTables::ReadPictureFile(files[i]->strPath, bytes[i])) {
            MIVO_WARN(kTraceLumaret, "cannot read %s: nothing saved", (LPCSTR)files[i]->strPath);
            return false;
        }
    }
    return true;
}

}  // namespace

int CTemplateTables::PictureCount(TemplateFamily family)
{
    return family == TEMPLATE_FRAME ? 2 : 1;
}

const char* CTemplateTables::TableName(TemplateFamily family)
{
    return Columns(family).table;
}

const char* CTemplateTables::KeyColumn(TemplateFamily family)
{
    return Columns(family).key;
}

std::unique_ptr<CODBCQuery> CTemplateTables::OpenTemplateQuery()
{
    std::unique_ptr<CODBCQuery> query(new CODBCQuery(theApp.m_strTmplDSN, theApp.m_strTmplUID, theApp.m_strTmplPWD, 1));
    query->InitQuery();
    return query;
}

std::vector<TemplateInfo> CTemplateTables::List(TemplateFamily family)
{
    const FamilyColumns& c = Columns(family);
    const int pictures = PictureCount(family);
    std::vector<TemplateInfo> rows;
    std::unique_ptr<CODBCQuery> query = OpenTemplateQuery();
    query->SetStringColumn(c.key, "", 0);
    ListInfoColumns(*query, c, pictures);
    query->m_strOrder.Format("Order By %s", c.key);
    if (!query->RunStructQuery(CString("Select From ") + c.table))
        return rows;
    while (query->FetchNextRow()) {
        TemplateInfo info;
        info.nKey = Number(*query, c.key);
        ReadInfo(*query, c, pictures, info);
        rows.push_back(info);
    }
    return rows;
}

int CTemplateTables::NextKey(CODBCQuery& query, TemplateFamily family)
{
    return CAlbumTables::NextKey(query, Columns(family).table, Columns(family).key, CString());
}

int CTemplateTables::Load(TemplateFamily family, int key, TemplateInfo& info, TemplateUnpacked pictures[2])
{
    const FamilyColumns& c = Columns(family);
    const int count = PictureCount(family);
    std::unique_ptr<CODBCQuery> query = OpenTemplateQuery();
    ListInfoColumns(*query, c, count);
    for (int i = 0; i < count; ++i)
        query->SetBLOBColumn(c.image[i], nullptr, -1);
    query->SetFilter(KeyFilter(c, key));
    if (!query->RunStructQuery(CString("Select From ") + c.table) || !query->FetchNextRow())
        return 0;
    info.nKey = key;
    ReadInfo(*query, c, count, info);
    for (int i = 0; i < 2; ++i)
        pictures[i] = i < count ? Unpack(*query, family, i, key, info.strFileType[i]) : TemplateUnpacked();
    return 1;
}

int CTemplateTables::Insert(TemplateFamily family, TemplateInfo& info, const TemplatePictureFile* pictures[2])
{
    const FamilyColumns& c = Columns(family);
    const int count = PictureCount(family);
    for (int i = 0; i < count; ++i)
        if (pictures[i] == nullptr)
            return 0;
    std::vector<BYTE> bytes[2];
    if (!ReadPictures(count, pictures, bytes))
        return 0;
    std::unique_ptr<CODBCQuery> query = OpenTemplateQuery();
    int key = NextKey(*query, family);
    TemplateInfo stored = info;
    stored.strDate = Today();
    query->ResetQuery();
    SetRowColumns(*query, c, key, stored, count, pictures, bytes);
    if (!query->RunStructQuery(CString("Insert Into ") + c.table))
        return 0;
    info.nKey = key;
    info.strDate = stored.strDate;
    info.strRegUser = "User";
    for (int i = 0; i < count; ++i)
        info.strFileType[i] = pictures[i]->strFileType;
    return key;
}

int CTemplateTables::Update(TemplateFamily family, TemplateInfo& info, const TemplatePictureFile* pictures[2])
{
    const FamilyColumns& c = Columns(family);
    const int count = PictureCount(family);
    std::vector<BYTE> bytes[2];
    if (!ReadPictures(count, pictures, bytes))
        return 0;
    std::unique_ptr<CODBCQuery> query = OpenTemplateQuery();
    TemplateInfo stored = info;
    stored.strDate = Today();
    SetRowColumns(*query, c, info.nKey, stored, count, pictures, bytes);
    query->SetFilter(KeyFilter(c, info.nKey));
    if (!query->RunStructQuery(CString("Update ") + c.table))
        return 0;
    info.strDate = stored.strDate;
    info.strRegUser = "User";
    for (int i = 0; i < count; ++i)
        if (pictures[i])
            info.strFileType[i] = pictures[i]->strFileType;
    return 1;
}

int CTemplateTables::Delete(TemplateFamily family, int key)
{
    const FamilyColumns& c = Columns(family);
    std::unique_ptr<CODBCQuery> query = OpenTemplateQuery();
    query->SetFilter(KeyFilter(c, key));
    return query->RunStructQuery(CString("Delete From ") + c.table) ? 1 : 0;
}

CString CTemplateTables::TempFileName(TemplateFamily family, int slot, int key, const CString& fileType)
{
    if (slot < 0 || slot >= PictureCount(family) || !IsBareFileType(fileType))
        return CString();
    CString path;
    path.Format(Columns(family).tempFormat[slot], (LPCSTR)CAlbumTables::DataFolder(), key, (LPCSTR)fileType);
    return path;
}

BOOL CTemplateTables::IsBareFileType(const CString& fileType)
{
    if (fileType.GetLength() > kLongestFileType || fileType.Find("..") >= 0)
        return FALSE;
    for (int i = 0; i < fileType.GetLength(); ++i) {
        unsigned char ch = (unsigned char)fileType[i];
        if (ch < 0x20 || ch == 0x7F || ch == '\\' || ch == '/' || ch == ':')
            return FALSE;
    }
    return TRUE;
}

CString CTemplateTables::Today()
{
    return CTime::GetCurrentTime().Format("%Y-%m-%d");
}

bool CTemplateTables::ReadPictureFile(const CString& path, std::vector<BYTE>& bytes)
{
    return ReadWholeFile(path, LARGEST_PICTURE, bytes);
}
