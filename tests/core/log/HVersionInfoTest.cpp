#include "log/HVersionInfo.h"
#include "app/LogSettingsFile.h"
#include "log/HLogPrint.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <regex>
#include <sstream>
#include <thread>
#include <vector>

namespace kq70 {
namespace {

using test::TempFolder;

TEST(HVersionInfoTest, UnsetStringsReadDashAndFileVersionIsTheProjectVersion) {
    const HVersionInfo blank;
    EXPECT_EQ(blank.get(HVersionInfo::CompanyName), "-");
    EXPECT_EQ(blank.get(HVersionInfo::SpecialBuild), "-");
    const HVersionInfo built = HVersionInfo::fromBuild();
    EXPECT_EQ(built.GetFileVersion(), KQ70_TEST_PROJECT_VERSION);
    EXPECT_EQ(built.get(HVersionInfo::PrivateBuild), "-");
    EXPECT_EQ(built.get(HVersionInfo::ProductName), "KQ70");
}

} // namespace
} // namespace kq70
