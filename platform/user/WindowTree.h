// The z-ordered sibling lists, destruction and window texts (Windows.cpp).
#pragma once

#include "user/UserState.h"

#include <string>
#include <vector>

namespace mivo {

std::vector<HWND>& SiblingListLocked(Window& w);
void UnlinkLocked(Window& w);
void LinkLocked(Window& w, bool atBottom);
void FinishDestroy(HWND hwnd);
void SetWindowTextLocked(Window& w, LPCSTR text);
int CopyWindowTextLocked(const Window& w, LPSTR buffer, int max);
int InternalGetWindowText(HWND hwnd, LPSTR buffer, int max);  // without sending WM_GETTEXT

// Upper-cases ASCII letters without touching the trail bytes of CP949 characters.
std::string FoldCaseCp949(const char* s);

}  // namespace mivo
