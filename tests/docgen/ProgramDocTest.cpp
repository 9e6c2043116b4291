#include "ManPage.h"
#include "support/CliRun.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>

namespace kq70 {
namespace {

using test::TempFolder;

TEST(ProgramDocTest, RoffTextCannotStartARequestOrAnEscape) {
    const struct {
        const char* in;
        const char* text;
        const char* code;
    } cases[] = {
        {"--port", "--port", "\\-\\-port"},
        {".K70 files", "\\&.K70 files", "\\&.K70 files"},
        {"a\n'quoted", "a\n\\&'quoted", "a\n\\&'quoted"},
        {"C:\\path", "C:\\epath", "C:\\epath"},
        {"mid.dot it's", "mid.dot it's", "mid.dot it's"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(roffText(c.in), c.text) << c.in;
        EXPECT_EQ(roffCode(c.in), c.code) << c.in;
    }
}

std::string cliDoc(const std::string& format) {
    const test::CliRun run = test::runCliWith({"--doc", format});
    EXPECT_EQ(run.code, 0) << run.err;
    return run.out;
}

// What bash offers after `words` (the last one being completed), with the script loaded.
std::string complete(const std::string& script, const std::string& words) {
    const std::string command = "bash --norc -c 'source " + script + "; COMP_WORDS=(" + words +
                                "); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); "
                                "_kq70_cli; printf \"%s\\n\" \"${COMPREPLY[@]}\"' 2>&1";
    std::string result;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        std::array<char, 256> buffer{};
        while (std::fgets(buffer.data(), buffer.size(), pipe) != nullptr) {
            result += buffer.data();
        }
        ::pclose(pipe);
    }
    return result;
}

TEST(ProgramDocTest, BashCompletesTheCliCommandsOptionsAndValues) {
    TempFolder folder;
    const std::string script = folder.file("kq70-cli");
    TempFolder::writeText(script, cliDoc("bash-completion"));
    const struct {
        std::string words;
        std::string offered;
    } cases[] = {
        {"kq70-cli \"\"", "check\nnew\nshow\napply\nports\nupload\ndownload\nrecover\nalign\n"},
        {"kq70-cli --home /tmp u", "upload\n"},
        {"kq70-cli upload --b", "--baud\n"},
        {"kq70-cli upload --baud 19", "19200\n"},
        {"kq70-cli download --mode \"\"", "0\n1\n2\n4\n"},
        {"kq70-cli --log-level \"\"", "\n"}, // a number: nothing to offer
        {"kq70-cli check " + folder.file("kq70-c"), script + "\n"},
        {"kq70-cli --v", "--version\n"}, // --doc is not offered
    };
    for (const auto& c : cases) {
        const std::string offered = complete(script, c.words);
        EXPECT_EQ(offered.substr(0, c.offered.size()), c.offered) << c.words << "\n" << offered;
    }
}

TEST(ProgramDocTest, TheCliManualListsEveryCommandWithItsOptions) {
    const std::string page = cliDoc("man");
    EXPECT_EQ(page.find(".TH \"KQ70-CLI\" 1"), page.find(".TH"));
    // Operands, a flag, an option of a group, a repeated option, choices.
    for (const char* expected :
         {".SS \"upload\"", ".SS \"export\\-csv\"",
          "\\fBapply\\fR [\\fIOPTIONS\\fR] \\fIfile\\fR \\fIpatch\\fR\n",
          "\n\\fB\\-\\-sim\\-instant\\fR\n", "\n\\fB\\-\\-port\\fR \\fITEXT\\fR\n",
          "\n\\fB\\-\\-port\\fR \\fITEXT\\fR ...\n",
          "\\fB\\-\\-baud\\fR \\fB9600\\fR|\\fB19200\\fR|\\fB38400\\fR", ".SH \"EXIT STATUS\""}) {
        EXPECT_NE(page.find(expected), std::string::npos) << expected;
    }
    EXPECT_EQ(page.find("\\-\\-doc"), std::string::npos);
}

} // namespace
} // namespace kq70
