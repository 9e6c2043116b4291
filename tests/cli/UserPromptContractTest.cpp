// The user-prompt promises, kept by the terminal's prompt, alone and behind the progress
// line (the window's prompt runs the same check in the Qt tests).
#include "support/UserPromptContract.h"
#include "ProgressPrompt.h"
#include "TerminalProgress.h"
#include "TerminalPrompt.h"

#include <gtest/gtest.h>

#include <sstream>

namespace kq70::test {
namespace {

const std::string PATH = "/home/dealer/radio.K70";

// A person at a terminal: types the line the reply takes, or ends the input.
struct TerminalPerson {
    void willReply(Reply reply, Asked asked) {
        const std::string consent = asked == Asked::Question ? "y"
                                    : asked == Asked::File   ? PATH
                                                             : CONTRACT_PASSWORD;
        in.clear();
        in.str(reply == Reply::Gone ? "" : (reply == Reply::Refusal ? "n" : consent) + "\n");
    }

    std::stringstream in;
    std::ostringstream err;
};

TEST(UserPromptContractTest, TheTerminalKeepsEveryPromise) {
    TerminalPerson person;
    TerminalPrompt terminal(person.in, person.err, true);
    EXPECT_EQ(userPromptContractBreaches(terminal, person, PATH, PATH), std::vector<std::string>{});

    TerminalPerson behindTheBar;
    TerminalPrompt inner(behindTheBar.in, behindTheBar.err, true);
    TerminalProgress progress(behindTheBar.err, false);
    ProgressPrompt outer(inner, progress);
    EXPECT_EQ(userPromptContractBreaches(outer, behindTheBar, PATH, PATH),
              std::vector<std::string>{});
}

} // namespace
} // namespace kq70::test
