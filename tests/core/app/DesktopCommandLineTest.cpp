#include "app/DesktopCommandLine.h"

#include <gtest/gtest.h>

namespace kq70 {
namespace {

TEST(DesktopCommandLineTest, OwnOptionsAreTakenAnywhereAndTheRestKeepsItsOrder) {
    struct Case {
        std::vector<std::string> args;
        std::optional<std::string> home;
        bool help, version, exitWhenShown;
        std::vector<std::string> rest;
        std::string error;
    };
    const Case cases[] = {
        {{}, {}, false, false, false, {}, ""},
        {{"radio.k70"}, {}, false, false, false, {"radio.k70"}, ""},
        {{"-manu", "--home", "/h", "x.K70"}, "/h", false, false, false, {"-manu", "x.K70"}, ""},
        {{"--home=/a b", "--exit-when-shown"}, "/a b", false, false, true, {}, ""},
        {{"--version", "/E"}, {}, false, true, false, {"/E"}, ""},
        {{"--help"}, {}, true, false, false, {}, ""},
        // A value that looks like an option is still the value.
        {{"--home", "--help"}, "--help", false, false, false, {}, ""},
        {{"--home"}, {}, false, false, false, {}, "--home needs DIR"},
        {{"--version=2"}, {}, false, false, false, {}, "--version takes no value"},
        {{"--doc", "html"}, {}, false, false, false, {}, "--doc takes man"},
        // Only whole option names count: the rest is a file or a mode switch.
        {{"--homework", "-home"}, {}, false, false, false, {"--homework", "-home"}, ""},
    };
    for (const Case& c : cases) {
        const DesktopCommandLine line = parseDesktopCommandLine(c.args);
        const std::string name = c.args.empty() ? "(none)" : c.args.front();
        EXPECT_EQ(line.home, c.home) << name;
        EXPECT_EQ(line.help, c.help) << name;
        EXPECT_EQ(line.version, c.version) << name;
        EXPECT_EQ(line.exitWhenShown, c.exitWhenShown) << name;
        EXPECT_EQ(line.error, c.error) << name;
        if (c.error.empty()) {
            EXPECT_EQ(line.rest, c.rest) << name;
        }
    }
}

TEST(DesktopCommandLineTest, HelpListsEveryListedOptionAndNoToolOption) {
    const std::string help = desktopHelpText();
    for (const DesktopOption& option : desktopOptions()) {
        EXPECT_EQ(help.find(std::string(option.name) + " ") != std::string::npos, option.listed)
            << option.name;
    }
    for (const DesktopOperand& operand : desktopOperands()) {
        EXPECT_NE(help.find("  " + std::string(operand.name) + " "), std::string::npos);
    }
    std::size_t start = 0;
    while (start < help.size()) {
        const std::size_t end = help.find('\n', start);
        EXPECT_LE(end - start, 79u) << help.substr(start, end - start);
        start = end + 1;
    }
}

} // namespace
} // namespace kq70
