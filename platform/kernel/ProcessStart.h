// Area interface (printer DCs hand their documents to the spooler): starting programs, shared by
// CreateProcess, WinExec, ShellExecute and the printer DC.
#pragma once

#include "win32/types.h"

#include <string>
#include <vector>

namespace mivo {

struct ProgramStart {
    std::vector<std::string> argv;  // POSIX program path (or a name looked up in PATH) and UTF-8 arguments
    std::string folder;             // POSIX working folder; empty keeps the caller's
    std::vector<std::string> environment;  // "NAME=value"; empty keeps the caller's
    bool replaceEnvironment = false;
};

// Starts the program (or hands argv to the spawn hook). On success returns a new
// process handle when `handle` is not null, and the process id. On failure returns
// false with `error` set to a Windows error code.
bool StartProgram(const ProgramStart& start, HANDLE* handle, DWORD* processId, DWORD& error);

// The POSIX file of an executable named the Windows way ("C:\dir\X.exe" or a
// relative name looked up in `folder`): the file itself when it is a runnable
// program, else "X" beside it. False with ERROR_FILE_NOT_FOUND,
// ERROR_PATH_NOT_FOUND or ERROR_BAD_FORMAT.
bool ResolveProgram(const std::string& windowsName, const std::string& folder, std::string& posixPath,
                    DWORD& error);

}  // namespace mivo
