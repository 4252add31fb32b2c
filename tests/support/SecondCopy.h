// Runs this test program again as a second process, with one test selected
// and extra environment, while the calling thread keeps its message loop
// running (so the second copy's requests are served).
#pragma once

#include <string>
#include <vector>

namespace mivotest {

// Returns the child's exit status, or -1 when it could not start or hung.
int RunSecondCopy(const std::string& testName, const std::vector<std::string>& extraEnvironment,
                  int limitMs = 60000);

}  // namespace mivotest
