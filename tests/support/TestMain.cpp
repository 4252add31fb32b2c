// Shared test entry: headless Qt unless the caller chose a platform, and
// per-process registry and ODBC files so tests never touch the user's own.
#include <gtest/gtest.h>

#include "support/TempFolder.h"

#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>

namespace {

class PrivateFiles : public ::testing::Environment {
public:
    void SetUp() override
    {
        // A second copy of a test program inherits its parent's files and may end without tearing down.
        if (std::getenv("MIVO_REGISTRY_FILE") && std::getenv("ODBCINI"))
            return;
        try {
            m_folder = std::make_unique<mivotest::TempFolder>("mivo-run");
        } catch (const std::runtime_error&) {
            return;
        }
        setenv("MIVO_REGISTRY_FILE", m_folder->file("registry").c_str(), 0);
        setenv("ODBCINI", m_folder->file("odbc.ini").c_str(), 0);
    }
    void TearDown() override { m_folder.reset(); }

private:
    std::unique_ptr<mivotest::TempFolder> m_folder;
};

}  // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new PrivateFiles);
    return RUN_ALL_TESTS();
}
