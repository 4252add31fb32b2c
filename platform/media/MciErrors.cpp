// The texts of MCI errors, in Korean as the system shows them.
#include "mivo/codepage.h"
#include "win32.h"

#include <cstring>

namespace {

struct ErrorText {
    MCIERROR code;
    const char* text;
};

const ErrorText kTexts[] = {
    {0, "지정한 명령을 실행했습니다."},
    {MCIERR_INVALID_DEVICE_ID, "잘못된 MCI 장치 ID입니다. MCI 장치를 열 때 반환된 ID를 사용하십시오."},
    {MCIERR_UNRECOGNIZED_KEYWORD, "드라이버가 지정한 명령 매개 변수를 인식할 수 없습니다."},
    {MCIERR_UNRECOGNIZED_COMMAND, "드라이버가 지정한 명령을 인식할 수 없습니다."},
    {MCIERR_HARDWARE, "미디어 장치에 문제가 있습니다. 장치가 올바르게 작동하는지 확인하십시오."},
    {MCIERR_INVALID_DEVICE_NAME, "지정한 장치가 열려 있지 않거나 MCI가 인식할 수 없습니다."},
    {MCIERR_OUT_OF_MEMORY, "이 작업을 수행할 메모리가 부족합니다."},
    {MCIERR_DEVICE_OPEN, "장치 이름이 이미 이 응용 프로그램에서 별칭으로 사용되고 있습니다."},
    {MCIERR_CANNOT_LOAD_DRIVER, "지정한 장치 드라이버를 로드하는 중에 알 수 없는 문제가 발생했습니다."},
    {MCIERR_MISSING_COMMAND_STRING, "명령이 지정되지 않았습니다."},
    {MCIERR_PARAM_OVERFLOW, "출력 문자열이 너무 커서 반환 버퍼에 들어가지 않습니다."},
    {MCIERR_MISSING_STRING_ARGUMENT, "지정한 명령에는 문자열 매개 변수가 필요합니다."},
    {MCIERR_BAD_INTEGER, "지정한 정수가 이 명령에 맞지 않습니다."},
    {MCIERR_MISSING_PARAMETER, "지정한 명령에는 매개 변수가 필요합니다."},
    {MCIERR_UNSUPPORTED_FUNCTION, "이 MCI 장치는 지정한 명령을 지원하지 않습니다."},
    {MCIERR_FILE_NOT_FOUND, "지정한 파일을 찾을 수 없습니다."},
    {MCIERR_DEVICE_NOT_READY, "장치가 준비되지 않았습니다. 디스크가 들어 있는지 확인하십시오."},
    {MCIERR_OUTOFRANGE, "지정한 매개 변수가 이 명령의 범위를 벗어났습니다."},
    {MCIERR_BAD_TIME_FORMAT, "지정한 시간 형식이 잘못되었습니다."},
    {MCIERR_MISSING_DEVICE_NAME, "장치 이름이 지정되지 않았습니다."},
    {MCIERR_INVALID_FILE, "지정한 파일을 이 MCI 장치에서 재생할 수 없습니다."},
    {MCIERR_EXTRA_CHARACTERS, "명령 끝에 알 수 없는 문자가 있습니다."},
    {MCIERR_DEVICE_NOT_INSTALLED, "지정한 장치가 시스템에 설치되어 있지 않습니다."},
};

}  // namespace

BOOL mciGetErrorString(MCIERROR mcierr, LPSTR pszText, UINT cchText)
{
    if (!pszText || !cchText)
        return FALSE;
    for (const ErrorText& e : kTexts)
        if (e.code == mcierr) {
            // A short buffer never ends in half a Korean character.
            size_t n = mivo::CutToCharBoundary(e.text, strlen(e.text), cchText - 1);
            memcpy(pszText, e.text, n);
            pszText[n] = 0;
            return TRUE;
        }
    pszText[0] = 0;
    return FALSE;
}
