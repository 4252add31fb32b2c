// Every MFC class the system uses. Areas add their headers in their own section.
#pragma once

#include "win32.h"
#include "mfc/afxdefs.h"
#include "mfc/Object.h"

// --- kernel: strings and geometry
#include "mfc/String.h"
#include "mfc/Point.h"
#include "mfc/Size.h"
#include "mfc/Rect.h"

// --- kernel: exceptions and collections
#include "mfc/Exception.h"
#include "mfc/Collections.h"

// --- kernel: files
#include "mfc/File.h"

// --- kernel: time and synchronisation
#include "mfc/Time.h"
#include "mfc/SyncObjects.h"

// --- net: sockets
#include "mfc/AsyncSocket.h"
#include "mfc/Socket.h"

// --- gdi wrappers
#include "mfc/GdiWrappers.h"

// --- windows, command targets and the application
#include "mfc/WindowsCore.h"
#include "mfc/MessageBoxes.h"
#include "mfc/Dialog.h"
#include "mfc/DataExchange.h"
#include "mfc/Button.h"
#include "mfc/Static.h"
#include "mfc/Edit.h"
#include "mfc/ListBox.h"
#include "mfc/ComboBox.h"
#include "mfc/ScrollBar.h"
#include "mfc/DragListBox.h"
#include "mfc/ImageList.h"
#include "mfc/HeaderCtrl.h"
#include "mfc/ListCtrl.h"
#include "mfc/TreeCtrl.h"
#include "mfc/ToolTipCtrl.h"
#include "mfc/ProgressCtrl.h"
#include "mfc/SliderCtrl.h"
#include "mfc/TabCtrl.h"
#include "mfc/MonthCalCtrl.h"
#include "mfc/StatusBarCtrl.h"
#include "mfc/ToolBarCtrl.h"
#include "mfc/ReBarCtrl.h"
#include "mfc/RichEditInit.h"
#include "mfc/RichEditCtrl.h"
#include "mfc/CommonDialog.h"
#include "mfc/FileDialog.h"
#include "mfc/ColorDialog.h"
#include "mfc/PrintDialog.h"
#include "mfc/PrintInfo.h"

// --- frames and document/view
#include "afxres.h"
#include "mfc/CreateContext.h"
#include "mfc/Document.h"
#include "mfc/View.h"
#include "mfc/ScrollView.h"
#include "mfc/FrameWnd.h"
#include "mfc/MDIFrameWnd.h"
#include "mfc/MDIChildWnd.h"
#include "mfc/DocTemplate.h"
#include "mfc/MultiDocTemplate.h"
#include "mfc/RecentFileList.h"

// --- trackers, control bars and docking, OLE drag and drop
#include "mfc/RectTracker.h"
#include "mfc/ControlBar.h"
#include "mfc/DockBar.h"
#include "mfc/DockContext.h"
#include "mfc/MiniFrameWnd.h"
#include "mfc/MiniDockFrameWnd.h"
#include "mfc/HtmlView.h"
#include "mfc/ToolBar.h"
#include "mfc/StatusBar.h"
#include "mfc/ReBar.h"
#include "mfc/OleFunctions.h"
#include "mfc/OleDataSource.h"
#include "mfc/OleDataObject.h"
#include "mfc/OleDropTarget.h"

// --- end of areas
