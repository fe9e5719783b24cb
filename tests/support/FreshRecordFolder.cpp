// Linked into every test program: each test keeps the records of what
// scanners hold in a folder of its own, removed when the test ends, so that
// no test reads another's uploads or the user's own records.
#include "core/ScannerRecordFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

#include <unistd.h>

namespace {

class FreshRecordFolder : public ::testing::EmptyTestEventListener
{
    void OnTestStart(const ::testing::TestInfo&) override
    {
        m_folder = std::filesystem::temp_directory_path() /
            ("scanlore-records-" + std::to_string(::getpid()) + "-" + std::to_string(++m_count));
        m_scope = std::make_unique<ScannerRecordFolder::Scope>(m_folder.string());
    }
    void OnTestEnd(const ::testing::TestInfo&) override
    {
        m_scope.reset();
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }

    std::filesystem::path m_folder;
    std::unique_ptr<ScannerRecordFolder::Scope> m_scope;
    int m_count = 0;
};

const bool g_registered = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshRecordFolder);
    return true;
}();

} // namespace
