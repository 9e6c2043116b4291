#pragma once

#include "ui/UserPrompt.h"

#include <string>
#include <vector>

namespace kq70::test {

// What the person at the other end of a prompt does with the next question.
enum class Reply {
    Consent, // Yes or OK; types the path or the password below
    Refusal, // No or Cancel
    Gone,    // closes the window, or the terminal ends
};

// What the next question asks for.
enum class Asked { Question, File, Password };

inline const std::string CONTRACT_PASSWORD = "Secret 1";

// What every user prompt owes core, whoever answers: consent reads as consent, a refusal or
// a person who is gone never does, and every answer is one of the buttons offered. `person`
// has willReply(Reply, Asked), called before each question; consent opens `existing` and
// saves as `fresh`. Returns the promises broken.
template <typename Person>
std::vector<std::string> userPromptContractBreaches(UserPrompt& prompt, Person& person,
                                                    const std::string& existing,
                                                    const std::string& fresh) {
    std::vector<std::string> broken;
    const auto expect = [&broken](bool kept, const std::string& promise) {
        if (!kept) {
            broken.push_back(promise);
        }
    };
    using A = MessageAnswer;
    using B = MessageButtons;
    struct Case {
        const char* name;
        B buttons;
        A consent;
        A refusal;
    };
    const Case cases[] = {{"OK", B::Ok, A::Ok, A::Ok},
                          {"OK/Cancel", B::OkCancel, A::Ok, A::Cancel},
                          {"Yes/No", B::YesNo, A::Yes, A::No},
                          {"Yes/No/Cancel", B::YesNoCancel, A::Yes, A::No}};
    for (const Case& c : cases) {
        const std::string name = c.name;
        person.willReply(Reply::Consent, Asked::Question);
        expect(prompt.messageBox("Go on?", "KQ70", c.buttons, MessageIcon::Question) == c.consent,
               name + ": consent reads as consent");
        person.willReply(Reply::Refusal, Asked::Question);
        expect(prompt.messageBox("Go on?", "KQ70", c.buttons, MessageIcon::Question) == c.refusal,
               name + ": a refusal reads as the refusing button");
        person.willReply(Reply::Gone, Asked::Question);
        const A gone = prompt.messageBox("Go on?", "KQ70", c.buttons, MessageIcon::Question);
        expect(c.buttons == B::Ok ? gone == A::Ok : gone != c.consent,
               name + ": nobody answering is no consent");
        const bool offered = c.buttons == B::Ok         ? gone == A::Ok
                             : c.buttons == B::OkCancel ? gone == A::Cancel
                             : c.buttons == B::YesNo    ? gone == A::No
                                                        : gone == A::Cancel || gone == A::No;
        expect(offered, name + ": nobody answering gives one of the buttons offered");
    }
    const FileDialogRequest request{"K70", "Data Files (*.K70)|*.K70||", {}, false};
    person.willReply(Reply::Consent, Asked::File);
    expect(prompt.openFileDialog(request) == existing, "a chosen file is named");
    person.willReply(Reply::Gone, Asked::File);
    expect(!prompt.openFileDialog(request), "no file when nobody chooses one");
    person.willReply(Reply::Consent, Asked::File);
    expect(prompt.saveFileDialog(request) == fresh, "a file to save is named");
    person.willReply(Reply::Gone, Asked::File);
    expect(!prompt.saveFileDialog(request), "no file to save when nobody names one");
    person.willReply(Reply::Consent, Asked::Password);
    expect(prompt.passwordEntry() == CONTRACT_PASSWORD, "a typed password is passed on as typed");
    person.willReply(Reply::Gone, Asked::Password);
    expect(!prompt.passwordEntry(), "no password when nobody types one");
    return broken;
}

} // namespace kq70::test
