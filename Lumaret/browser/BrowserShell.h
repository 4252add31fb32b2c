// What the browser asks of the program around it: the main frame's status bar, progress bar
// and folder bar, and the closing flag. Each call does nothing (or answers the default) while
// the window it needs is missing, as in tests.
#pragma once

#include "mfc.h"

class CMainFrame;

namespace browser_shell {

CMainFrame* MainFrame();
BOOL IsClosing();
// The data folder, ending in a backslash.
CString DataFolder();
void SetStatusText(int pane, const CString& text);
void SetProgress(int percent);
// Shows the folder-bar group unless it is the one shown.
void ShowFolderGroup(int group);
// Makes the view its frame's active view.
void ActivateView(CView* view);

}  // namespace browser_shell
