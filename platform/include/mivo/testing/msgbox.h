// Message boxes in tests: answered by a hook, or shown without a screen.
#pragma once

#include "win32/types.h"

#include <functional>

namespace mivo {

// Answers every message box while set (text and caption in CP949); returns the previous hook.
using MessageBoxHook = std::function<int(HWND owner, const char* text, const char* caption, UINT type)>;
MessageBoxHook SetMessageBoxHook(MessageBoxHook hook);

// Message boxes show as dialogs when a person can see the screen; on the
// offscreen platform they report to standard error and answer with their
// default button, so that nothing waits for a click nobody can make. Tests
// that drive real boxes turn them on.
void ShowMessageBoxesWithoutScreen(bool show);
// The opposite, whatever the display: boxes answer with their default button
// unseen, for tests that must not depend on whether a screen exists.
void AnswerMessageBoxesUnseen(bool unseen);

}  // namespace mivo
