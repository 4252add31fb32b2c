// The MCI window: a window class whose messages drive a media player; the player and its
// thread live as long as the window.
#include "MediaPlayer.h"
#include "win32.h"
#include "mivo/paths.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

struct MciWindowData {
    std::unique_ptr<mivo::MediaPlayer> player;
    std::string timeFormat = "ms";
};

const char kDataProp[] = "MivoMciWindow";

MciWindowData* DataOf(HWND hwnd)
{
    return (MciWindowData*)GetPropA(hwnd, kDataProp);
}

void OpenFile(MciWindowData& data, LPCSTR file)
{
    std::string posix;
    std::unique_ptr<mivo::PcmSource> source;
    if (file && *file && mivo::ToPosixPath(file, posix))
        source = mivo::PcmSource::OpenFile(posix);
    data.player.reset(new mivo::MediaPlayer(std::move(source)));
}

LONG ModeOf(mivo::MediaPlayer& player, char* text, UINT size)
{
    LONG mode;
    const char* name;
    switch (player.CurrentMode()) {
    case mivo::MediaPlayer::Mode::Playing: mode = MCI_MODE_PLAY, name = "playing"; break;
    case mivo::MediaPlayer::Mode::Paused: mode = MCI_MODE_PAUSE, name = "paused"; break;
    case mivo::MediaPlayer::Mode::Stopped: mode = MCI_MODE_STOP, name = "stopped"; break;
    default: mode = MCI_MODE_NOT_READY, name = "not ready"; break;
    }
    if (text && size)
        snprintf(text, size, "%s", name);
    return mode;
}

LRESULT Command(HWND hwnd, MciWindowData& data, UINT msg, WPARAM wParam, LPARAM lParam)
{
    mivo::MediaPlayer& player = *data.player;
    auto result = [](bool ok) { return (LRESULT)(ok ? 0 : MCIERR_UNSUPPORTED_FUNCTION); };
    switch (msg) {
    case MCI_PLAY: return result(player.Play());
    case MCI_PAUSE: return result(player.Pause());
    case MCI_RESUME: return result(player.Resume());
    case MCI_STOP: return result(player.Stop());
    case MCI_SEEK: {
        LONG to = (LONG)lParam;  // -1: the start, -2: the end
        return result(player.SeekMs(to == -2 ? player.LengthMs() : to < 0 ? 0 : (unsigned)to));
    }
    case MCI_CLOSE: data.player.reset(new mivo::MediaPlayer(nullptr)); return 0;
    case MCIWNDM_GETLENGTH: return (LRESULT)player.LengthMs();
    case MCIWNDM_GETEND: return (LRESULT)player.LengthMs();
    case MCIWNDM_GETSTART: return 0;
    case MCIWNDM_GETPOSITIONA: return (LRESULT)player.PositionMs();
    case MCIWNDM_GETMODEA: return ModeOf(player, (char*)lParam, (UINT)wParam);
    case MCIWNDM_SETTIMEFORMATA: {
        // Only milliseconds are kept; every position and length is in them.
        const char* format = (const char*)lParam;
        return format && strcmp(format, "ms") == 0 ? 0 : (LRESULT)MCIERR_BAD_TIME_FORMAT;
    }
    case MCIWNDM_GETTIMEFORMATA:
        if (lParam && wParam)
            snprintf((char*)lParam, (size_t)wParam, "%s", data.timeFormat.c_str());
        return 0;
    case MCIWNDM_OPENA:
        OpenFile(data, (LPCSTR)lParam);
        return data.player->LengthMs() ? 0 : (LRESULT)MCIERR_INVALID_FILE;
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
}

LRESULT CALLBACK MciWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    MciWindowData* data = DataOf(hwnd);
    switch (msg) {
    case WM_CREATE: {
        data = new MciWindowData;
        SetPropA(hwnd, kDataProp, (HANDLE)data);
        auto* cs = (const CREATESTRUCTA*)lParam;
        OpenFile(*data, cs ? (LPCSTR)cs->lpCreateParams : nullptr);
        return 0;
    }
    case WM_CLOSE:
        if (data)
            data->player->Stop();
        DestroyWindow(hwnd);
        return 0;
    case WM_NCDESTROY:
        RemovePropA(hwnd, kDataProp);
        delete data;
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    default:
        break;
    }
    if (data && (msg == MCI_PLAY || msg == MCI_PAUSE || msg == MCI_RESUME || msg == MCI_STOP || msg == MCI_SEEK ||
                 msg == MCI_CLOSE || (msg >= WM_USER + 100 && msg <= WM_USER + 160)))
        return Command(hwnd, *data, msg, wParam, lParam);
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

bool RegisterMciClass()
{
    static bool registered = [] {
        WNDCLASSA wc = {};
        wc.style = CS_GLOBALCLASS;
        wc.lpfnWndProc = MciWindowProc;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
        wc.lpszClassName = MCIWND_WINDOW_CLASS;
        return RegisterClassA(&wc) != 0;
    }();
    return registered;
}

}  // namespace

HWND MCIWndCreate(HWND hwndParent, HINSTANCE hInstance, DWORD dwStyle, LPCSTR szFile)
{
    if (!RegisterMciClass())
        return nullptr;
    if (!dwStyle)
        dwStyle = WS_CHILD | WS_BORDER | WS_VISIBLE;
    if (!hwndParent)
        dwStyle &= ~WS_CHILD;
    return CreateWindowExA(0, MCIWND_WINDOW_CLASS, "", dwStyle, 0, 0, 240, 48, hwndParent, nullptr, hInstance,
                           (LPVOID)szFile);
}
