#include "frame/DocumentGate.h"

#include "channel/ChannelGridLayout.h"
#include "doc/DefaultImages.h"
#include "frame/CMainFrame.h"
#include "frame/DocumentCommands.h"
#include "frame/DocumentHold.h"
#include "frame/RadioCommands.h"
#include "platform/IniFile.h"
#include "support/BoundView.h"
#include "support/ChannelValues.h"
#include "support/CountingWindow.h"
#include "support/DataFiles.h"
#include "support/FrameFixtures.h"
#include "support/TempFolder.h"
#include "support/TestRadios.h"
#include "ui/Strings.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace kq70::test {
namespace {

constexpr int ROW1 = ChannelGridLayout::FIRST_DATA_ROW;

// A window's worth of parts over one document: the view, the frame with its menus, the gate
// and the commands, in the manufacture mode, holding a 256-channel radio's data.
class DocumentGateTest : public ::testing::Test, protected SimulatedRadioLink {
protected:
    DocumentGateTest() { settings.portName = "/dev/ttyUSB0"; }

    TempFolder home;
    BoundView b{radioWithChannels(6)};
    AppSettings settings;
    IniFile ini{home.file("KQ70.ini")};
    DocumentCommands documents{b.doc, b.prompt,          home.path(), settings,
                               ini,   BuildDefaultImage, b.binding};
    RadioCommands radio{
        b.doc,    settings,  b.mode, home.path(),
        b.prompt, b.binding, link(), [this] { return documents.SaveModifiedData(); }};
    CountingWindow window;
    CMainFrame frame{b.doc, b.mode, window};
    DocumentGate gate{b.doc, b.binding};
};

// New, Open, a recent or dropped file, Upload and an Undo back to another radio's data each
// replace the document: each is announced once, as a whole, and the view, the menus and the
// title follow alike.
TEST_F(DocumentGateTest, EveryWayOfReplacingTheDocumentIsAnnouncedAlike) {
    // As the channel view stores it, so showing it again changes no byte.
    const RadioImage sixteen = BoundView(radioWithChannels(3)).doc.GetMainMemory();
    const std::string file = writeDataFile(home.file("sixteen.k70"), sixteen);
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"New", [this] { documents.OnFileNew(); }},
        {"Open",
         [this, &file] {
             b.prompt.expectOpenFile(file);
             documents.OnFileOpen();
         }},
        {"recent file or drop", [this, &file] { documents.OnOpenNamedFile(file); }},
        {"Upload",
         [this, &sixteen] {
             sim.radio.memory() = sixteen;
             sim.radio.switchOn(sim.clock.now());
             b.prompt.expectMessage(std::string(text::UPLOAD_COMPLETE));
             radio.OnRadioUpload();
         }},
        {"Undo to another radio",
         [this, &sixteen] {
             b.doc.GetUndoHistory().record("Hardware page", sixteen, {});
             b.steps().OnEditUndo();
         }},
    };
    for (const auto& [name, replace] : ways) {
        SCOPED_TRACE(name);
        {
            const CKQ70Doc::ChangeScope scope(b.doc);
            b.doc.GetMainMemory() = radioWithChannels(6);
        }
        b.doc.SetDataModified(false);
        b.view.SelectGroup(2);
        ASSERT_TRUE(frame.menus().Has(ID_COMMON_DIRECT_CH));
        DocumentRecorder announced(b.doc);
        window = CountingWindow{};

        ASSERT_TRUE(gate.run(replace));

        EXPECT_TRUE(b.prompt.finished());
        EXPECT_EQ(announced.changes, std::vector{DocumentChange{DocumentChange::EVERYTHING}});
        EXPECT_EQ(window.menus, 1);
        EXPECT_EQ(window.titles, 1);
        const int radioChannel = radioChannelValueOf(b.doc.GetMainMemory());
        EXPECT_LT(radioChannel, 6);
        EXPECT_FALSE(frame.menus().Has(ID_COMMON_DIRECT_CH));
        EXPECT_EQ(frame.menus().Position("Ch&annel") >= 0, radioChannel >= 4);
        EXPECT_EQ(b.view.GetCurrentGroup(), 0) << "the view starts afresh";
        EXPECT_EQ(
            b.grid.textMatrix(ROW1, COL_RX_FREQUENCY),
            ChannelCellTexts::frequencyText(channelValue(b.doc.GetMainMemory(), 0, rxFrequency)));
    }
}

// A value still being typed goes into the document before the command runs; one that is no
// value refuses the command with the view's message and leaves the cell open.
TEST_F(DocumentGateTest, AValueBeingTypedIsTakenFirstOrRefusesTheCommand) {
    const std::pair<const char*, bool> cases[] = {{"446.05", true}, {"4..4", false}};
    for (const auto& [typed, runs] : cases) {
        SCOPED_TRACE(typed);
        const RadioImage before = b.doc.GetMainMemory();
        ASSERT_TRUE(b.grid.startTyping(b.binding, ROW1 + 2, COL_RX_FREQUENCY, typed));
        if (!runs) {
            b.prompt.expectMessage(std::string(text::FREQUENCY_EDIT_NOT_A_NUMBER),
                                   MessageAnswer::Ok, MessageIcon::Exclamation);
        }
        std::optional<std::int32_t> seen;
        EXPECT_EQ(gate.run([&] { seen = channelValue(b.doc.GetMainMemory(), 2, rxFrequency); }),
                  runs);
        EXPECT_TRUE(b.prompt.finished());
        EXPECT_EQ(b.grid.editing(), !runs);
        if (runs) {
            EXPECT_EQ(seen, 446050000);
        } else {
            EXPECT_FALSE(seen);
            EXPECT_TRUE(b.doc.GetMainMemory() == before);
            b.grid.finishTyping(); // Enter: the view keeps the old value
        }
    }
}

// While radios are programmed from the document nothing may change it: every command that
// could is refused with one message, before it runs, and so is the grid's input; commands that
// only read it still run.
TEST_F(DocumentGateTest, AHeldDocumentRefusesEveryChangeAndStillReads) {
    struct Case {
        const char* name;
        int commandId;
        bool runs;
    };
    const Case cases[] = {
        {"New", ID_FILE_NEW, false},
        {"Download", ID_TOOLBAR_DOWNLOAD, false},
        {"a dropped file or closing", DocumentGate::MAY_CHANGE, false},
        {"Print", ID_FILE_PRINT, true},
        {"a column shown", ID_VIEW_ITEM_FIRST + 4, true},
    };
    DocumentHold hold(b.prompt);
    gate.setHold(&hold);
    b.binding.setHold(&hold);
    hold.set(true);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (!c.runs) {
            b.prompt.expectMessage(std::string(text::DOCUMENT_HELD), MessageAnswer::Ok,
                                   MessageIcon::Exclamation);
        }
        bool ran = false;
        EXPECT_EQ(gate.run([&] { ran = true; }, c.commandId), c.runs);
        EXPECT_EQ(ran, c.runs);
        EXPECT_TRUE(b.prompt.finished());
    }

    const RadioImage before = b.doc.GetMainMemory();
    b.at(ROW1 + 1, COL_RX_FREQUENCY);
    const std::pair<const char*, std::function<void()>> inputs[] = {
        {"typing", [this] { EXPECT_FALSE(b.binding.beforeEdit(ROW1 + 1, COL_RX_FREQUENCY)); }},
        {"Space", [this] { b.binding.onSpace(); }},
        {"paste", [this] { EXPECT_FALSE(b.binding.paste("446.1")); }},
    };
    for (const auto& [name, input] : inputs) {
        SCOPED_TRACE(name);
        b.prompt.expectMessage(std::string(text::DOCUMENT_HELD), MessageAnswer::Ok,
                               MessageIcon::Exclamation);
        input();
        EXPECT_TRUE(b.prompt.finished());
    }
    EXPECT_TRUE(b.doc.GetMainMemory() == before);
    EXPECT_FALSE(b.doc.GetUndoHistory().canUndo());

    hold.set(false);
    EXPECT_TRUE(gate.run([] {}, ID_FILE_NEW));
    EXPECT_TRUE(b.binding.beforeEdit(ROW1 + 1, COL_RX_FREQUENCY));
    b.binding.afterEdit(ROW1 + 1, COL_RX_FREQUENCY);
}

} // namespace
} // namespace kq70::test
