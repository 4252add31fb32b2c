// The image library's one road to its progress window and to the user:
// progress and done messages, and error boxes. Internal to the library.
#pragma once

#include "win32.h"

#include <cstdint>

class CWnd;

namespace mivo {
namespace image {

// A message goes out only when there is a window and the flag does not hold 1.
inline bool MayNotify(CWnd* wnd, const int* interrupt) { return wnd && !(interrupt && *interrupt == 1); }
inline bool IsInterrupted(const int* interrupt) { return interrupt && *interrupt != 0; }

// WM_IMAGE_PROGRESS with `percent`.
void SendProgress(CWnd* wnd, const int* interrupt, int percent);
// Row i of n: progress 100 x i / n at every n / 20 rows, only when n > 20.
void SendRowProgress(CWnd* wnd, const int* interrupt, uint64_t row, uint64_t rows);
// WM_IMAGE_DONE with `value`.
void SendDone(CWnd* wnd, const int* interrupt, int value);

// The framework's message box (owner: the main window).
void ShowMessage(const char* text, UINT type);
// A message box without owner and with a caption.
void ShowMessageBox(const char* text, const char* caption, UINT type);

// Tests watch what the library sends and shows; while a hook is set it
// receives every notice in place of the window and the user.
struct Notice {
    enum Kind { Message, Box } kind;
    CWnd* wnd;          // Message: the progress window
    UINT message;       // Message: WM_IMAGE_PROGRESS or WM_IMAGE_DONE
    WPARAM wParam;      // Message: the value
    const char* text;   // Box: the text
    const char* caption;  // Box: caption, NULL for the framework's box
    UINT type;          // Box: MB_ flags
};
typedef void (*NoticeHook)(const Notice& notice, void* context);
void SetNoticeHook(NoticeHook hook, void* context);

}  // namespace image
}  // namespace mivo
