// System metrics and colours of classic Windows at 96 dpi, system parameters and version.
#include "user/DesktopWallpaper.h"
#include "user/Geometry.h"
#include "win32/usersys.h"

#include <cstdio>
#include <cstring>

using namespace mivo;

int GetSystemMetrics(int nIndex)
{
    switch (nIndex) {
    case SM_CXSCREEN: case SM_CXVIRTUALSCREEN: return ScreenSize().cx;
    case SM_CYSCREEN: case SM_CYVIRTUALSCREEN: return ScreenSize().cy;
    case SM_CXFULLSCREEN: return ScreenSize().cx;
    case SM_CYFULLSCREEN: return ScreenSize().cy - 19;
    case SM_CXMAXIMIZED: return ScreenSize().cx + 8;
    case SM_CYMAXIMIZED: return ScreenSize().cy + 8;
    case SM_CXMAXTRACK: return ScreenSize().cx + 12;
    case SM_CYMAXTRACK: return ScreenSize().cy + 12;
    case SM_CXVSCROLL: case SM_CYHSCROLL: case SM_CYVSCROLL: case SM_CXHSCROLL: return 16;
    case SM_CYVTHUMB: case SM_CXHTHUMB: return 16;
    case SM_CYCAPTION: return 19;
    case SM_CXBORDER: case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME: case SM_CYDLGFRAME: return 3;
    case SM_CXFRAME: case SM_CYFRAME: return 4;
    case SM_CXICON: case SM_CYICON: case SM_CXCURSOR: case SM_CYCURSOR: return 32;
    case SM_CYMENU: return 19;
    case SM_CYKANJIWINDOW: return 0;
    case SM_MOUSEPRESENT: return 1;
    case SM_DEBUG: return 0;
    case SM_SWAPBUTTON: return 0;
    case SM_CXMIN: return 112;
    case SM_CYMIN: return 27;
    case SM_CXSIZE: case SM_CYSIZE: return 18;
    case SM_CXMINTRACK: return 112;
    case SM_CYMINTRACK: return 27;
    case SM_CXDOUBLECLK: case SM_CYDOUBLECLK: return 4;
    case SM_CXICONSPACING: case SM_CYICONSPACING: return 75;
    case SM_MENUDROPALIGNMENT: return 0;
    case SM_DBCSENABLED: return 1;
    case SM_CMOUSEBUTTONS: return 3;
    case SM_SECURE: return 0;
    case SM_CXEDGE: case SM_CYEDGE: return 2;
    case SM_CXMINSPACING: return 160;
    case SM_CYMINSPACING: return 24;
    case SM_CXSMICON: case SM_CYSMICON: return 16;
    case SM_CYSMCAPTION: return 16;
    case SM_CXSMSIZE: case SM_CYSMSIZE: return 15;
    case SM_CXMENUSIZE: case SM_CYMENUSIZE: return 18;
    case SM_ARRANGE: return 8;
    case SM_CXMINIMIZED: return 160;
    case SM_CYMINIMIZED: return 24;
    case SM_NETWORK: return 3;
    case SM_CLEANBOOT: return 0;
    case SM_CXDRAG: case SM_CYDRAG: return 4;
    case SM_SHOWSOUNDS: return 0;
    case SM_CXMENUCHECK: case SM_CYMENUCHECK: return 13;
    case SM_SLOWMACHINE: return 0;
    case SM_MIDEASTENABLED: return 0;
    case SM_MOUSEWHEELPRESENT: return 1;
    case SM_XVIRTUALSCREEN: case SM_YVIRTUALSCREEN: return 0;
    case SM_CMONITORS: return 1;
    case SM_SAMEDISPLAYFORMAT: return 1;
    case SM_IMMENABLED: return 1;
    case SM_CXFOCUSBORDER: case SM_CYFOCUSBORDER: return 1;
    case SM_REMOTESESSION: return 0;
    }
    return 0;
}

namespace {

// The system's interface font: 9 points of "굴림" as Korean Windows has it.
LOGFONTA InterfaceFont(bool bold)
{
    LOGFONTA lf = {};
    lf.lfHeight = -12;
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = 129;  // HANGEUL_CHARSET
    lf.lfOutPrecision = 3;
    lf.lfClipPrecision = 2;
    lf.lfQuality = 0;
    lf.lfPitchAndFamily = 0x22;  // VARIABLE_PITCH | FF_SWISS
    std::snprintf(lf.lfFaceName, sizeof(lf.lfFaceName), "%s", "굴림");
    return lf;
}

}  // namespace

BOOL SystemParametersInfo(UINT uiAction, UINT uiParam, PVOID pvParam, UINT fWinIni)
{
    switch (uiAction) {
    case SPI_GETNONCLIENTMETRICS: {
        auto* m = (NONCLIENTMETRICSA*)pvParam;
        if (!m || m->cbSize < sizeof(NONCLIENTMETRICSA))
            return FALSE;
        UINT size = m->cbSize;
        std::memset(m, 0, sizeof(NONCLIENTMETRICSA));
        m->cbSize = size;
        m->iBorderWidth = 1;
        m->iScrollWidth = GetSystemMetrics(SM_CXVSCROLL);
        m->iScrollHeight = GetSystemMetrics(SM_CYHSCROLL);
        m->iCaptionWidth = GetSystemMetrics(SM_CXSIZE);
        m->iCaptionHeight = GetSystemMetrics(SM_CYCAPTION) - 1;
        m->lfCaptionFont = InterfaceFont(true);
        m->iSmCaptionWidth = GetSystemMetrics(SM_CXSMSIZE);
        m->iSmCaptionHeight = GetSystemMetrics(SM_CYSMCAPTION) - 1;
        m->lfSmCaptionFont = InterfaceFont(true);
        m->iMenuWidth = GetSystemMetrics(SM_CXMENUSIZE);
        m->iMenuHeight = GetSystemMetrics(SM_CYMENUSIZE);
        m->lfMenuFont = InterfaceFont(false);
        m->lfStatusFont = InterfaceFont(false);
        m->lfMessageFont = InterfaceFont(false);
        return TRUE;
    }
    case SPI_GETICONTITLELOGFONT:
        if (!pvParam)
            return FALSE;
        *(LOGFONTA*)pvParam = InterfaceFont(false);
        return TRUE;
    case SPI_GETICONMETRICS: {
        auto* m = (ICONMETRICSA*)pvParam;
        if (!m || m->cbSize < sizeof(ICONMETRICSA))
            return FALSE;
        m->iHorzSpacing = m->iVertSpacing = 75;
        m->iTitleWrap = 1;
        m->lfFont = InterfaceFont(false);
        return TRUE;
    }
    case SPI_GETWORKAREA: {
        if (!pvParam)
            return FALSE;
        bool set;
        {
            UserGuard guard(UserLock());
            set = State().desktop.workAreaSet;
            if (set)
                *(RECT*)pvParam = State().desktop.workArea;
        }
        if (!set) {
            SIZE s = ScreenSize();
            *(RECT*)pvParam = RECT{0, 0, s.cx, s.cy};
        }
        return TRUE;
    }
    case SPI_SETWORKAREA: {
        UserGuard guard(UserLock());
        if (pvParam) {
            State().desktop.workArea = *(const RECT*)pvParam;
            State().desktop.workAreaSet = true;
        } else {
            State().desktop.workAreaSet = false;
        }
        return TRUE;
    }
    case SPI_GETWHEELSCROLLLINES:
        if (!pvParam)
            return FALSE;
        *(UINT*)pvParam = 3;
        return TRUE;
    case SPI_SETDESKWALLPAPER:
        if (!mivo::SetDesktopWallpaper((LPCSTR)pvParam, fWinIni))
            return FALSE;
        if (fWinIni & SPIF_SENDCHANGE)
            SendNotifyMessage(HWND_BROADCAST, WM_SETTINGCHANGE, SPI_SETDESKWALLPAPER, 0);
        return TRUE;
    case SPI_GETDESKWALLPAPER:
        if (!pvParam || uiParam == 0)
            return FALSE;
        std::snprintf((char*)pvParam, uiParam, "%s", mivo::DesktopWallpaper().c_str());
        return TRUE;
    case SPI_GETBEEP:
    case SPI_GETSCREENSAVEACTIVE:
    case SPI_GETDRAGFULLWINDOWS:
    case SPI_GETKEYBOARDCUES:
    case SPI_GETGRADIENTCAPTIONS:
    case SPI_GETFONTSMOOTHING:
    case SPI_GETSHOWIMEUI:
        if (pvParam)
            *(BOOL*)pvParam = uiAction == SPI_GETBEEP || uiAction == SPI_GETDRAGFULLWINDOWS ||
                              uiAction == SPI_GETGRADIENTCAPTIONS || uiAction == SPI_GETFONTSMOOTHING ||
                              uiAction == SPI_GETSHOWIMEUI;
        return TRUE;
    case SPI_GETMENUANIMATION:
    case SPI_GETCOMBOBOXANIMATION:
    case SPI_GETLISTBOXSMOOTHSCROLLING:
    case SPI_GETHOTTRACKING:
    case SPI_GETMENUFADE:
    case SPI_GETSELECTIONFADE:
    case SPI_GETTOOLTIPANIMATION:
    case SPI_GETTOOLTIPFADE:
    case SPI_GETCURSORSHADOW:
    case SPI_GETFLATMENU:
    case SPI_GETDROPSHADOW:
    case SPI_GETSCREENREADER:
    case SPI_GETHIGHCONTRAST:
    case SPI_GETSCREENSAVERRUNNING:
    case SPI_GETSNAPTODEFBUTTON:
    case SPI_GETACTIVEWINDOWTRACKING:
        if (pvParam && uiAction != SPI_GETHIGHCONTRAST)
            *(BOOL*)pvParam = FALSE;
        return TRUE;
    case SPI_GETKEYBOARDDELAY:
        if (pvParam)
            *(int*)pvParam = 1;
        return TRUE;
    case SPI_GETKEYBOARDSPEED:
        if (pvParam)
            *(DWORD*)pvParam = 31;
        return TRUE;
    case SPI_GETMOUSEHOVERWIDTH:
    case SPI_GETMOUSEHOVERHEIGHT:
        if (pvParam)
            *(UINT*)pvParam = 4;
        return TRUE;
    case SPI_GETMOUSEHOVERTIME:
        if (pvParam)
            *(UINT*)pvParam = 400;
        return TRUE;
    case SPI_GETMENUSHOWDELAY:
        if (pvParam)
            *(UINT*)pvParam = State().desktop.menuShowDelay;
        return TRUE;
    case SPI_SETMENUSHOWDELAY:
        State().desktop.menuShowDelay = uiParam;
        return TRUE;
    case SPI_GETFOCUSBORDERWIDTH:
    case SPI_GETFOCUSBORDERHEIGHT:
    case SPI_GETBORDER:
        if (pvParam)
            *(UINT*)pvParam = 1;
        return TRUE;
    case SPI_ICONHORIZONTALSPACING:
    case SPI_ICONVERTICALSPACING:
        if (pvParam)
            *(int*)pvParam = 75;
        return TRUE;
    }
    return FALSE;
}

UINT GetDoubleClickTime()
{
    return State().desktop.doubleClickTime;
}

BOOL SetDoubleClickTime(UINT t)
{
    State().desktop.doubleClickTime = t ? t : 500;
    return TRUE;
}

