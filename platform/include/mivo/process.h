// Command lines split the Windows way, and the hook that lets tests record
// program starts.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace mivo {

// Splits a command line by the Windows rules: the program name ends at the first
// blank outside quotes; in the arguments 2n backslashes before a quote give n
// backslashes and a quote that opens or closes, 2n+1 give n and a literal quote,
// "" inside quotes is a literal quote.
std::vector<std::string> SplitCommandLine(const char* commandLine);
// The same for an argument string alone (no program name first).
std::vector<std::string> SplitArguments(const char* arguments);

// Tests record starts instead of running them: with a hook set, every program the
// layer would start (after mapping, argv[0] being the POSIX program or "xdg-open")
// goes to the hook instead; true counts as started (a process that has already
// ended with code 0), false as ERROR_FILE_NOT_FOUND. An empty hook restores
// real starts.
using SpawnHook = std::function<bool(const std::vector<std::string>& argv)>;
void SetSpawnHook(SpawnHook hook);

// Help files: there is no viewer for "X.chm" here, so ShellExecute on a missing "X.chm" whose
// "X.html" exists shows that page instead, through the viewer the framework registers (a
// window of the program's own), else with the desktop's opener. The viewer gets the page's
// POSIX path and answers whether it showed it.
using HelpViewer = std::function<bool(const std::string& htmlPath)>;
void SetHelpViewer(HelpViewer viewer);

}  // namespace mivo
