// Processes: starting programs (always with an argument vector, never through a
// shell), ShellExecute for programs, documents and web pages, process handles and
// exit codes, and Toolhelp process snapshots read from /proc.
//
// Programs named the Windows way are mapped to this system:
//  - "X.exe" in a folder starts "X" in the same folder when only that exists;
//  - "IEXPLORE.EXE" with an http or https address opens it with xdg-open (the
//    desktop's browser); other schemes are refused;
//  - "Excel.exe", "Notepad.exe", "hh.exe" and "winhlp32.exe" with a file open the
//    file with xdg-open (the desktop's default program);
//  - the verb "open" (or none) on a folder, a document or an http/https address
//    uses xdg-open too.
// Arguments reach the started program as UTF-8 (converted from CP949), paths as
// POSIX paths. Programs started by the layer read their arguments back the same way.
#pragma once

#include "win32/types.h"
#include "win32/errors.h"
#include "win32/handleapi.h"
#include "win32/sync.h"

#include <functional>
#include <string>
#include <vector>

// Process creation flags. CREATE_SUSPENDED (sync.h) is refused for processes;
// the others are accepted and have no effect.
#define DEBUG_PROCESS 0x00000001
#define DEBUG_ONLY_THIS_PROCESS 0x00000002
#define DETACHED_PROCESS 0x00000008
#define CREATE_NEW_CONSOLE 0x00000010
#define NORMAL_PRIORITY_CLASS 0x00000020
#define IDLE_PRIORITY_CLASS 0x00000040
#define HIGH_PRIORITY_CLASS 0x00000080
#define REALTIME_PRIORITY_CLASS 0x00000100
#define CREATE_NEW_PROCESS_GROUP 0x00000200
#define CREATE_UNICODE_ENVIRONMENT 0x00000400
#define BELOW_NORMAL_PRIORITY_CLASS 0x00004000
#define ABOVE_NORMAL_PRIORITY_CLASS 0x00008000
#define CREATE_NO_WINDOW 0x08000000

#define STARTF_USESHOWWINDOW 0x00000001
#define STARTF_USESIZE 0x00000002
#define STARTF_USEPOSITION 0x00000004
#define STARTF_USESTDHANDLES 0x00000100

// Process access rights: accepted and ignored.
#define PROCESS_TERMINATE 0x0001
#define PROCESS_CREATE_THREAD 0x0002
#define PROCESS_VM_OPERATION 0x0008
#define PROCESS_VM_READ 0x0010
#define PROCESS_VM_WRITE 0x0020
#define PROCESS_DUP_HANDLE 0x0040
#define PROCESS_CREATE_PROCESS 0x0080
#define PROCESS_SET_INFORMATION 0x0200
#define PROCESS_QUERY_INFORMATION 0x0400
#define PROCESS_QUERY_LIMITED_INFORMATION 0x1000
#define PROCESS_ALL_ACCESS (STANDARD_RIGHTS_REQUIRED | SYNCHRONIZE | 0xFFFF)

typedef struct _STARTUPINFOA {
    DWORD cb;
    LPSTR lpReserved;
    LPSTR lpDesktop;
    LPSTR lpTitle;
    DWORD dwX;
    DWORD dwY;
    DWORD dwXSize;
    DWORD dwYSize;
    DWORD dwXCountChars;
    DWORD dwYCountChars;
    DWORD dwFillAttribute;
    DWORD dwFlags;
    WORD wShowWindow;
    WORD cbReserved2;
    LPBYTE lpReserved2;
    HANDLE hStdInput;
    HANDLE hStdOutput;
    HANDLE hStdError;
} STARTUPINFOA, STARTUPINFO, *LPSTARTUPINFOA, *LPSTARTUPINFO;

typedef struct _PROCESS_INFORMATION {
    HANDLE hProcess;  // signalled when the process ends
    HANDLE hThread;   // its main thread: signalled when the process ends
    DWORD dwProcessId;
    DWORD dwThreadId;
} PROCESS_INFORMATION, *PPROCESS_INFORMATION, *LPPROCESS_INFORMATION;

// The command line is split by the Windows rules (quotes, backslashes before
// quotes); its first word, or lpApplicationName, names the program. Standard
// handles, window placement and security attributes are ignored.
BOOL CreateProcess(LPCSTR lpApplicationName, LPSTR lpCommandLine, LPSECURITY_ATTRIBUTES lpProcessAttributes,
                   LPSECURITY_ATTRIBUTES lpThreadAttributes, BOOL bInheritHandles, DWORD dwCreationFlags,
                   LPVOID lpEnvironment, LPCSTR lpCurrentDirectory, LPSTARTUPINFOA lpStartupInfo,
                   LPPROCESS_INFORMATION lpProcessInformation);
BOOL CreateProcessA(LPCSTR lpApplicationName, LPSTR lpCommandLine, LPSECURITY_ATTRIBUTES lpProcessAttributes,
                    LPSECURITY_ATTRIBUTES lpThreadAttributes, BOOL bInheritHandles, DWORD dwCreationFlags,
                    LPVOID lpEnvironment, LPCSTR lpCurrentDirectory, LPSTARTUPINFOA lpStartupInfo,
                    LPPROCESS_INFORMATION lpProcessInformation);
// Greater than 31 on success; otherwise ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND
// or ERROR_BAD_FORMAT (0 when out of resources).
UINT WinExec(LPCSTR lpCmdLine, UINT uCmdShow);

// Pseudo handle (-1) of the calling process; needs no closing.
HANDLE GetCurrentProcess();
// Any running process can be opened; its end is noticed, its exit code is known
// only for processes this one started (others report 0).
HANDLE OpenProcess(DWORD dwDesiredAccess, BOOL bInheritHandle, DWORD dwProcessId);
// Kills the process; its exit code becomes uExitCode. The calling process ends at once.
BOOL TerminateProcess(HANDLE hProcess, UINT uExitCode);
// STILL_ACTIVE while running. A started program killed by a signal reports 128 + the signal.
BOOL GetExitCodeProcess(HANDLE hProcess, LPDWORD lpExitCode);
DWORD GetProcessId(HANDLE Process);
[[noreturn]] void ExitProcess(UINT uExitCode);

// ---- ShellExecute ----

// Results up to 32 are errors.
#define SE_ERR_FNF 2
#define SE_ERR_PNF 3
#define SE_ERR_ACCESSDENIED 5
#define SE_ERR_OOM 8
#define SE_ERR_DLLNOTFOUND 32
#define SE_ERR_SHARE 26
#define SE_ERR_ASSOCINCOMPLETE 27
#define SE_ERR_DDETIMEOUT 28
#define SE_ERR_DDEFAIL 29
#define SE_ERR_DDEBUSY 30
#define SE_ERR_NOASSOC 31

#define SEE_MASK_DEFAULT 0x00000000
#define SEE_MASK_CLASSNAME 0x00000001
#define SEE_MASK_CLASSKEY 0x00000003
#define SEE_MASK_IDLIST 0x00000004
#define SEE_MASK_INVOKEIDLIST 0x0000000C
#define SEE_MASK_HOTKEY 0x00000020
#define SEE_MASK_NOCLOSEPROCESS 0x00000040
#define SEE_MASK_CONNECTNETDRV 0x00000080
#define SEE_MASK_NOASYNC 0x00000100
#define SEE_MASK_FLAG_DDEWAIT SEE_MASK_NOASYNC
#define SEE_MASK_DOENVSUBST 0x00000200
#define SEE_MASK_FLAG_NO_UI 0x00000400
#define SEE_MASK_UNICODE 0x00004000
#define SEE_MASK_NO_CONSOLE 0x00008000
#define SEE_MASK_WAITFORINPUTIDLE 0x02000000

typedef struct _SHELLEXECUTEINFOA {
    DWORD cbSize;
    ULONG fMask;
    HWND hwnd;
    LPCSTR lpVerb;
    LPCSTR lpFile;
    LPCSTR lpParameters;
    LPCSTR lpDirectory;
    int nShow;
    HINSTANCE hInstApp;  // the ShellExecute result
    void* lpIDList;
    LPCSTR lpClass;
    HKEY hkeyClass;
    DWORD dwHotKey;
    union {
        HANDLE hIcon;
        HANDLE hMonitor;
    };
    HANDLE hProcess;  // with SEE_MASK_NOCLOSEPROCESS: the started process, or NULL
} SHELLEXECUTEINFOA, SHELLEXECUTEINFO, *LPSHELLEXECUTEINFOA, *LPSHELLEXECUTEINFO;

// Verbs: NULL, "" and "open" open; "explore" opens a folder; others give
// SE_ERR_NOASSOC. The window and show command are ignored. Programs start
// in lpDirectory when given (relative file names are looked up there too).
HINSTANCE ShellExecute(HWND hwnd, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters, LPCSTR lpDirectory,
                       INT nShowCmd);
HINSTANCE ShellExecuteA(HWND hwnd, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters, LPCSTR lpDirectory,
                        INT nShowCmd);
BOOL ShellExecuteEx(LPSHELLEXECUTEINFOA lpExecInfo);
BOOL ShellExecuteExA(LPSHELLEXECUTEINFOA lpExecInfo);

// ---- Toolhelp snapshots ----

#define TH32CS_SNAPHEAPLIST 0x00000001
#define TH32CS_SNAPPROCESS 0x00000002
#define TH32CS_SNAPTHREAD 0x00000004
#define TH32CS_SNAPMODULE 0x00000008
#define TH32CS_SNAPMODULE32 0x00000010
#define TH32CS_SNAPALL (TH32CS_SNAPHEAPLIST | TH32CS_SNAPPROCESS | TH32CS_SNAPTHREAD | TH32CS_SNAPMODULE)
#define TH32CS_INHERIT 0x80000000

#ifndef ERROR_BAD_LENGTH
#define ERROR_BAD_LENGTH 24L
#endif

typedef struct tagPROCESSENTRY32 {
    DWORD dwSize;  // set to sizeof(PROCESSENTRY32) before the first call
    DWORD cntUsage;
    DWORD th32ProcessID;
    ULONG_PTR th32DefaultHeapID;
    DWORD th32ModuleID;
    DWORD cntThreads;
    DWORD th32ParentProcessID;
    LONG pcPriClassBase;  // 4 idle ... 8 normal ... 13 high
    DWORD dwFlags;
    CHAR szExeFile[MAX_PATH];  // file name of the program, CP949
} PROCESSENTRY32, *PPROCESSENTRY32, *LPPROCESSENTRY32;

// A snapshot of the running processes (other kinds of entries are not listed).
// The first entry is the pseudo process 0, "[System Process]". Close it with CloseHandle.
HANDLE CreateToolhelp32Snapshot(DWORD dwFlags, DWORD th32ProcessID);
BOOL Process32First(HANDLE hSnapshot, LPPROCESSENTRY32 lppe);
BOOL Process32Next(HANDLE hSnapshot, LPPROCESSENTRY32 lppe);
