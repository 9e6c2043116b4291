#include "app/ProgramFolder.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace kq70 {
namespace {

using test::TempFolder;

TEST(ProgramFolderTest, PrecedenceOfTheSources) {
    struct Case {
        ProgramFolderInputs inputs;
        const char* expected;
    };
    const Case cases[] = {
        {{"/opt/h", "/env", "/exe", "/xdg", "/home/u"}, "/opt/h"},
        {{std::nullopt, "/env", "/exe", "/xdg", "/home/u"}, "/env"},
        {{std::nullopt, std::nullopt, "/exe", "/xdg", "/home/u"}, "/exe"},
        {{std::nullopt, std::nullopt, std::nullopt, "/xdg", "/home/u"}, "/xdg/kq70"},
        {{std::nullopt, std::nullopt, std::nullopt, std::nullopt, "/home/u"},
         "/home/u/.local/share/kq70"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(resolveProgramFolder(c.inputs), c.expected);
    }
    TempFolder folder;
    EXPECT_TRUE(ensureFolder(folder.file("a/b/c")));
    EXPECT_TRUE(TempFolder::exists(folder.file("a/b/c")));
    TempFolder::writeText(folder.file("plain"), "x");
    EXPECT_FALSE(ensureFolder(folder.file("plain")));
    EXPECT_FALSE(ensureFolder(folder.file("plain/sub")));
}

} // namespace
} // namespace kq70
