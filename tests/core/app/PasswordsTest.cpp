#include "app/Passwords.h"
#include "app/AccessMode.h"
#include "support/ScriptedPrompt.h"
#include "ui/Strings.h"

#include <gtest/gtest.h>

namespace kq70 {
namespace {

using test::ScriptedPrompt;

TEST(PasswordsTest, EachModeHasItsOwnRule) {
    struct Case {
        const char* entry;
        bool manufacture;
        bool eMode;
        bool adjustment;
    };
    const Case cases[] = {
        {"Quiet Harbours", true, false, false},   {"quiet harbours", false, false, false},
        {"Quiet Harbours ", false, false, false}, {"lomari-ke", false, true, false},
        {"LoMaRi-Ke", false, true, false},        {"lomari ke", false, false, false},
        {"lomari-ke1", false, false, false},      {"MUL-PEK", false, false, true},
        {"mul-pek", false, false, true},          {"mUl-PeK", false, false, true},
        {"MUL-PEKXYZ", false, false, true},       {"MUL PEK", false, false, false},
        {"MUL-PE", false, false, false},          {"", false, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(passwords::isManufacturePhrase(c.entry), c.manufacture) << c.entry;
        EXPECT_EQ(passwords::isEModeWord(c.entry), c.eMode) << c.entry;
        EXPECT_EQ(passwords::isAdjustmentKeyword(c.entry), c.adjustment) << c.entry;
    }
}

TEST(PasswordsTest, StartupKeepsAModeOnlyWithItsPassword) {
    struct Case {
        int requested;
        std::optional<std::string> entry; // nothing: Cancel
        int result;
        bool warning;
    };
    const Case cases[] = {
        {ACCESS_MANUFACTURE, "Quiet Harbours", ACCESS_MANUFACTURE, true},
        {ACCESS_MANUFACTURE, "lomari-ke", ACCESS_NORMAL, false},
        {ACCESS_MANUFACTURE, std::nullopt, ACCESS_NORMAL, false},
        {ACCESS_E_MODE, "LOMARI-KE", ACCESS_E_MODE, false},
        {ACCESS_E_MODE, "Quiet Harbours", ACCESS_NORMAL, false},
    };
    for (const Case& c : cases) {
        ScriptedPrompt prompt;
        prompt.expectPassword(c.entry);
        if (c.warning) {
            prompt.expectMessage(std::string(Strings::get(IDS_MANUFACTURE_MODE_WARNING)),
                                 MessageAnswer::Ok, MessageIcon::Information, MessageButtons::Ok);
        }
        AccessMode mode(c.requested);
        confirmStartupAccessMode(mode, prompt);
        EXPECT_EQ(mode.value(), c.result) << c.entry.value_or("<cancel>");
    }
    ScriptedPrompt silent; // normal mode asks nothing
    AccessMode normal;
    confirmStartupAccessMode(normal, silent);
    EXPECT_EQ(normal.value(), ACCESS_NORMAL);
}

// What the command line's --mode option runs: each mode with its own word, and nothing asked
// for normal mode or a mode the program does not have.
TEST(PasswordsTest, AModeAskedForByNumberIsGrantedWithItsOwnWord) {
    struct Case {
        int wanted;
        std::optional<std::optional<std::string>> entry; // outer nothing: no question
        bool granted;
    };
    const Case cases[] = {
        {ACCESS_NORMAL, std::nullopt, true},
        {ACCESS_MANUFACTURE, "Quiet Harbours", true},
        {ACCESS_ADJUSTMENT, "mul-PEK", true},
        {ACCESS_ADJUSTMENT, "Quiet Harbours", false},
        {ACCESS_E_MODE, std::optional<std::string>{}, false},
        {3, std::nullopt, false},
    };
    for (const Case& c : cases) {
        ScriptedPrompt prompt;
        if (c.entry) {
            prompt.expectPassword(*c.entry);
        }
        if (c.wanted == ACCESS_MANUFACTURE) {
            prompt.expectMessage(std::string(Strings::get(IDS_MANUFACTURE_MODE_WARNING)),
                                 MessageAnswer::Ok, MessageIcon::Information, MessageButtons::Ok);
        }
        AccessMode mode(ACCESS_E_MODE);
        EXPECT_EQ(grantAccessMode(mode, c.wanted, prompt), c.granted) << c.wanted;
        EXPECT_EQ(mode.value(), c.granted ? c.wanted : ACCESS_NORMAL) << c.wanted;
    }
}

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
