// Shared test entry: headless Qt unless the caller chose a platform, and
// per-process registry and ODBC files so tests never touch the user's own.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

class PrivateFiles : public ::testing::Environment {
public:
    void SetUp() override
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "mivo-run-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            return;
        m_folder = pattern;
        setenv("MIVO_REGISTRY_FILE", (m_folder + "/registry").c_str(), 0);
        setenv("ODBCINI", (m_folder + "/odbc.ini").c_str(), 0);
    }
    void TearDown() override
    {
        std::error_code ignored;
        if (!m_folder.empty())
            std::filesystem::remove_all(m_folder, ignored);
    }

private:
    std::string m_folder;
};

}  // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new PrivateFiles);
    return RUN_ALL_TESTS();
}
