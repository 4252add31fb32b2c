#include "afx/FrameworkStrings.h"

namespace {

struct FrameworkText {
    UINT id;
    const char* text;
};

const FrameworkText kTexts[] = {
    {AFX_IDS_IDLEMESSAGE, "준비"},
    {AFX_IDS_UNTITLED, "제목 없음"},
    {AFX_IDS_SAVEFILE, "다른 이름으로 저장"},
    {AFX_IDS_OPENFILE, "열기"},
    {AFX_IDP_ASK_TO_SAVE, "변경 내용을 %1에 저장하시겠습니까?"},
    {AFX_IDP_FAILED_TO_OPEN_DOC, "문서를 열지 못했습니다."},
    {AFX_IDP_FAILED_TO_SAVE_DOC, "문서를 저장하지 못했습니다."},
    {AFX_IDP_FAILED_TO_CREATE_DOC, "새 문서를 만들지 못했습니다."},
    {ID_INDICATOR_CAPS, "CAP"},
    {ID_INDICATOR_NUM, "NUM"},
    {ID_INDICATOR_SCRL, "SCRL"},
};

}  // namespace

namespace mivo::afx {

CString FrameworkString(UINT id)
{
    CString text;
    if (text.LoadString(id))
        return text;
    for (const FrameworkText& t : kTexts)
        if (t.id == id)
            return t.text;
    return text;
}

}  // namespace mivo::afx
