// Every Win32 name the system uses. Areas add their headers in their own section.
#pragma once

#include "win32/types.h"

// --- kernel: code page
#include "win32/codepage.h"
#include "win32/rect.h"

// --- kernel: errors, files and paths
#include "win32/errors.h"
#include "win32/handleapi.h"
#include "win32/fileapi.h"

// --- kernel: threads, time, memory, processes
#include "win32/sync.h"
#include "win32/systime.h"
#include "win32/globalmem.h"
#include "win32/procapi.h"
#include "win32/locale.h"

// --- kernel: modules and resources
#include "win32/modules.h"
#include "win32/resources.h"

// --- user: windows and messages
#include "win32/messages.h"
#include "win32/user.h"
#include "win32/paint.h"
#include "win32/scroll.h"
#include "win32/input.h"
#include "win32/cursors.h"
#include "win32/usersys.h"
#include "win32/msgbox.h"
#include "win32/dialogs.h"
#include "win32/controls.h"
#include "win32/commctrl.h"
#include "win32/commctrlbars.h"
#include "win32/richedit.h"
#include "win32/clipboard.h"
#include "win32/ole.h"
#include "win32/mdi.h"
#include "win32/menus.h"

// --- gdi
#include "win32/gdi.h"
#include "win32/gditext.h"
#include "win32/gdiprint.h"
#include "win32/commdlg.h"
#include "win32/uidraw.h"

// --- shell: registry, namespace, execution
#include "win32/registry.h"
#include "win32/version.h"
#include "win32/objbase.h"
#include "win32/shlobj.h"
#include "win32/security.h"

// --- net
#include "win32/wininet.h"
#include "win32/winsock.h"
#include "win32/icmpapi.h"

// --- media
#include "win32/mmsystem.h"
#include "win32/vfw.h"

// --- twain
#include "win32/twain.h"

// --- end of areas
