#include "support/ScriptedPrompt.h"

#include <gtest/gtest.h>

namespace kq70::test {

namespace {

const char* kindName(ScriptedPrompt::Kind kind) {
    static const char* const names[] = {"message box", "open dialog", "save dialog",
                                        "password entry"};
    return names[static_cast<int>(kind)];
}

} // namespace

ScriptedPrompt::~ScriptedPrompt() {
    for (const Step& step : m_steps) {
        ADD_FAILURE() << "expected " << kindName(step.kind) << " was never shown: \"" << step.text
                      << "\"";
    }
}

ScriptedPrompt& ScriptedPrompt::expectMessage(std::string text, MessageAnswer answer,
                                              std::optional<MessageIcon> icon,
                                              std::optional<MessageButtons> buttons) {
    m_steps.push_back(Step{Kind::Message, std::move(text), icon, buttons, answer, {}});
    return *this;
}

ScriptedPrompt& ScriptedPrompt::expectOpenFile(std::optional<std::string> path) {
    m_steps.push_back(Step{Kind::OpenFile, {}, {}, {}, MessageAnswer::Ok, std::move(path)});
    return *this;
}

ScriptedPrompt& ScriptedPrompt::expectSaveFile(std::optional<std::string> path) {
    m_steps.push_back(Step{Kind::SaveFile, {}, {}, {}, MessageAnswer::Ok, std::move(path)});
    return *this;
}

ScriptedPrompt& ScriptedPrompt::expectPassword(std::optional<std::string> entry) {
    m_steps.push_back(Step{Kind::Password, {}, {}, {}, MessageAnswer::Ok, std::move(entry)});
    return *this;
}

std::optional<ScriptedPrompt::Step> ScriptedPrompt::next(Kind kind, std::string_view text) {
    if (m_steps.empty()) {
        ADD_FAILURE() << "unexpected " << kindName(kind) << ": \"" << text << "\"";
        return std::nullopt;
    }
    Step step = m_steps.front();
    m_steps.pop_front();
    if (step.kind != kind) {
        ADD_FAILURE() << "expected " << kindName(step.kind) << " \"" << step.text << "\", got "
                      << kindName(kind) << " \"" << text << "\"";
        return std::nullopt;
    }
    if (kind == Kind::Message && !step.text.empty()) {
        EXPECT_EQ(step.text, text) << "message box text";
    }
    return step;
}

MessageAnswer ScriptedPrompt::messageBox(std::string_view text, std::string_view caption,
                                         MessageButtons buttons, MessageIcon icon) {
    m_asked.push_back(
        Record{Kind::Message, std::string(text), std::string(caption), buttons, icon});
    const auto step = next(Kind::Message, text);
    if (!step) {
        return MessageAnswer::Cancel;
    }
    if (step->icon) {
        EXPECT_EQ(*step->icon, icon) << "icon of \"" << text << "\"";
    }
    if (step->buttons) {
        EXPECT_EQ(*step->buttons, buttons) << "buttons of \"" << text << "\"";
    }
    return step->answer;
}

std::optional<std::string> ScriptedPrompt::openFileDialog(const FileDialogRequest& request) {
    m_asked.push_back(
        Record{Kind::OpenFile, request.filter, {}, MessageButtons::Ok, MessageIcon::None});
    const auto step = next(Kind::OpenFile, {});
    return step ? step->entry : std::nullopt;
}

std::optional<std::string> ScriptedPrompt::saveFileDialog(const FileDialogRequest&) {
    m_asked.push_back(Record{Kind::SaveFile, {}, {}, MessageButtons::Ok, MessageIcon::None});
    const auto step = next(Kind::SaveFile, {});
    return step ? step->entry : std::nullopt;
}

std::optional<std::string> ScriptedPrompt::passwordEntry() {
    m_asked.push_back(Record{Kind::Password, {}, {}, MessageButtons::Ok, MessageIcon::None});
    const auto step = next(Kind::Password, {});
    return step ? step->entry : std::nullopt;
}

} // namespace kq70::test
