#include "app/AccessMode.h"

#include <gtest/gtest.h>

namespace kq70 {
namespace {

TEST(AccessModeTest, TheWholeCommandLineIsCompared) {
    struct Case {
        const char* line;
        int mode;
    };
    const Case cases[] = {
        {"/manu", 1},  {"/MANU", 1},     {"-manu", 1},
        {"-MANU", 1},  {"/Manu", 0},     {"/manu radio.k70", 0},
        {" /manu", 0}, {"/E", 4},        {"/e", 4},
        {"-E", 4},     {"-e", 4},        {"/E x", 0},
        {"", 0},       {"radio.k70", 0}, {"--manu", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AccessMode::fromCommandLine(c.line), c.mode) << '"' << c.line << '"';
    }
}

} // namespace
} // namespace kq70
