// What the editor asks of the program around it: settings of the
// application, the main frame's status bar, progress bar and folder bar,
// and the edit-tools pane. Each call does nothing (or answers the default)
// while the window it needs is missing, as in tests and early start-up.
#pragma once

#include "mfc.h"

class CImgEditView;
class CImageObject;
class CDlgConsoleEditTools;

namespace editor_shell {

int JpegQuality();
int UndoLevel();
BOOL IsClosing();
CString SaveFolder();
void SetSaveFolder(const CString& folder);

void SetActiveEditView(CImgEditView* view);
// Clears the main frame's active view only when it is `view`.
void ClearActiveEditView(CImgEditView* view);
// The main frame's active editor view; without the main frame, the view
// last activated (views made by tests and tools).
CImgEditView* ActiveEditView();
void SetStatusText(int pane, const CString& text);
void SetProgress(int percent);
// Switches the folder bar to the edit-tools group unless it shows it.
void ShowEditToolsGroup();
// Shows the folder pane at the folder; 0 when there is none.
BOOL ShowFolderInPane(const CString& folder);
BOOL HasFolderPane();

// The cached thumbnail of a picture just written to path.
void StoreThumbnail(const CString& path, CImageObject* picture);

// What the tools use when a view has no pane: white, size 8, fully opaque,
// no aspect ratio. Views made without the main window (tests, tools) may set it.
struct ToolDefaults {
    COLORREF colour = RGB(255, 255, 255);
    int brushSize = 8;
    int opacity = 100;
    int ratioX = 0;
    int ratioY = 0;
};
ToolDefaults& NoPaneTools();

// The edit-tools pane; pane may be NULL.
BOOL PaneAvailable();
COLORREF PaneColor(CDlgConsoleEditTools* pane);
int PaneBrushSize(CDlgConsoleEditTools* pane);
int PaneOpacity(CDlgConsoleEditTools* pane);
void PaneRatio(CDlgConsoleEditTools* pane, int* rw, int* rh);
void PaneSetCurrentColor(CDlgConsoleEditTools* pane, COLORREF colour);
void PaneViewChanged(CDlgConsoleEditTools* pane, CImgEditView* view);
void PaneViewActivated(CDlgConsoleEditTools* pane, CImgEditView* view);
void PaneViewDeactivated(CDlgConsoleEditTools* pane, CImgEditView* view);
void PaneViewDestroyed(CDlgConsoleEditTools* pane, CImgEditView* view);
// Tells the pane the visible part; `repaint` updates the pane at once.
void PaneNavigator(CDlgConsoleEditTools* pane, CRect visible, BOOL repaint);
void PaneSyncTools(CDlgConsoleEditTools* pane);

}  // namespace editor_shell
