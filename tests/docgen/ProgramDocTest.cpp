#include "BashCompletion.h"
#include "Cli11Doc.h"
#include "CliApp.h"
#include "ManPage.h"
#include "support/TempFolder.h"

#include <CLI/CLI.hpp>
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <sstream>

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

TEST(ProgramDocTest, DescribesOptionsOperandsAndCommandsAsTheProgramDefinesThem) {
    CLI::App app{"Tool", "tool"};
    std::string doc;
    std::string mode;
    std::vector<std::string> faults;
    std::string file;
    bool yes = false;
    addDocOption(app, doc);
    app.add_option("--mode", mode, "Mode")->check(CLI::IsMember({"a", "b"}));
    app.add_option("--fault", faults, "Faults");
    CLI::App* run = app.add_subcommand("run", "Run it");
    run->add_option("file", file, "The file")->required();
    run->add_flag("--yes", yes, "Answer Yes");
    CLI::Option_group* line = run->add_option_group("line");
    line->add_option("--port", file, "Port");

    const CommandDoc described = describeCommand(app);
    ASSERT_EQ(described.options.size(), 3u); // help, mode, fault; --doc is hidden
    EXPECT_EQ(described.options[1].choices, (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(described.options[2].repeats);
    ASSERT_EQ(described.commands.size(), 1u);
    const CommandDoc& command = described.commands[0];
    ASSERT_EQ(command.operands.size(), 1u);
    EXPECT_EQ(command.operands[0].valueName, "file");
    EXPECT_TRUE(command.operands[0].required);
    // The option group's options are the command's; its copy of --help is not repeated.
    ASSERT_EQ(command.options.size(), 3u);
    EXPECT_TRUE(command.options[1].valueName.empty()); // --yes is a flag
    EXPECT_EQ(command.options[2].names, (std::vector<std::string>{"--port"}));
}

std::string cliDoc(const std::string& format) {
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(runCli({"--doc", format}, in, out, err, false), 0) << err.str();
    return out.str();
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
    for (const char* expected :
         {".SS \"upload\"", ".SS \"export\\-csv\"", "\\fB\\-\\-port\\fR \\fITEXT\\fR",
          "\\fB\\-\\-baud\\fR \\fB9600\\fR|\\fB19200\\fR|\\fB38400\\fR", ".SH \"EXIT STATUS\""}) {
        EXPECT_NE(page.find(expected), std::string::npos) << expected;
    }
    EXPECT_EQ(page.find("\\-\\-doc"), std::string::npos);
}

} // namespace
} // namespace kq70
