// Area interface: the one QGuiApplication of the process, made on first use (fonts, native
// windows and the clipboard need it).
#pragma once

namespace mivo {

// Creates the QGuiApplication when none exists yet. Fonts, native windows and
// the clipboard need it. It is made on the first thread that asks, which
// should be the UI thread: Qt ties its event dispatching to that thread.
// Without a display (no DISPLAY or WAYLAND_DISPLAY) and no QT_QPA_PLATFORM,
// the offscreen platform is chosen so that start-up cannot abort.
void EnsureQtApplication();

}  // namespace mivo
