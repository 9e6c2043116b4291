#include "frame/CommonCommands.h"

#include "app/AccessMode.h"
#include "channel/HChannelData.h"
#include "doc/CKQ70Doc.h"
#include "doc/DefaultImages.h"
#include "frame/DocumentCommands.h"
#include "frame/MainMenuModel.h"
#include "pages/HDialog.h"
#include "pages/HMiscDialog.h"
#include "params/HMiscParams.h"
#include "support/BoundView.h"
#include "support/FrameFixtures.h"
#include "support/ScriptedPrompt.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kq70 {
namespace {

constexpr int OPTION_UNIT_COMBO = HMiscDialog::FIRST_CONTROL_ID + HMiscParams::OPTION_UNIT;

class CommonCommandsTest : public ::testing::Test {
protected:
    CommonCommandsTest() { BuildDefaultImage(PMR446_BAND, doc.GetMainMemory()); }

    // Every channel gets signalling and encryption, so a reset shows.
    void giveChannelsSignalling() {
        HChannelData channels;
        channels.extract(doc.GetMainMemory());
        for (int ch = 0; ch < channels.capacity(); ++ch) {
            channels.setValue(ch, signalType, 1);
            channels.setValue(ch, signalNumber, 3);
            channels.setValue(ch, encryption, 1);
        }
        channels.store(doc.GetMainMemory());
    }

    std::vector<std::int32_t> channelValues(int index) const {
        HChannelData channels;
        channels.extract(doc.GetMainMemory());
        std::vector<std::int32_t> values;
        for (int ch = 0; ch < channels.capacity(); ++ch) {
            values.push_back(channels.getValue(ch, index));
        }
        return values;
    }

    // A page run by a user who picks one entry and presses OK.
    static CommonCommands::PageRunner choose(int id, std::int32_t itemValue) {
        return [id, itemValue](HDialog& page, std::string_view) {
            page.OnInitDialog();
            EXPECT_TRUE(page.SelectItemValue(id, itemValue));
            return page.OnOK();
        };
    }

    CKQ70Doc doc;
    test::ScriptedPrompt prompt;
    test::SaveCounter events;
    test::DocumentRecorder announced{doc};
    AccessMode mode{ACCESS_NORMAL};
    CommonCommands commands{doc, mode, prompt, events};
};

// OK with the option unit kept changes nothing; a changed one resets every channel's
// signalling and encryption with the page, as one step that Undo takes back unsaved.
TEST_F(CommonCommandsTest, OnlyAChangedOptionUnitResetsTheChannelsInOneStep) {
    giveChannelsSignalling();
    const RadioImage before = doc.GetMainMemory();
    const auto capacity = channelValues(signalType).size();

    ASSERT_TRUE(commands.OnMenuCommon(ID_COMMON_MISCELLANEOUS,
                                      choose(OPTION_UNIT_COMBO, HMiscParams::OPTION_UNIT_NONE)));
    EXPECT_TRUE(doc.GetMainMemory() == before);
    EXPECT_FALSE(doc.GetDataModified());

    announced.changes.clear();
    ASSERT_TRUE(commands.OnMenuCommon(
        ID_COMMON_MISCELLANEOUS, choose(OPTION_UNIT_COMBO, HMiscParams::OPTION_UNIT_ENCRYPTION)));
    for (const int value : {signalType, signalNumber, encryption}) {
        EXPECT_EQ(channelValues(value), std::vector<std::int32_t>(capacity, 0)) << value;
    }
    ASSERT_EQ(announced.changes.size(), 1u) << "the page and its consequences at once";
    EXPECT_TRUE(announced.changes[0].has(DocumentChange::IMAGE | DocumentChange::MODIFIED));
    ASSERT_TRUE(doc.Undo());
    EXPECT_TRUE(doc.GetMainMemory() == before);
    EXPECT_FALSE(doc.GetDataModified());
}

TEST_F(CommonCommandsTest, EncryptionOptionUnitTurnsEncryptionOnInEveryChannel) {
    giveChannelsSignalling();
    CommonCommands::ApplyOptionUnitChange(doc, OPTION_UNIT_ENCRYPTION);
    const auto capacity = channelValues(encryption).size();
    EXPECT_EQ(channelValues(encryption), std::vector<std::int32_t>(capacity, 3));
    EXPECT_EQ(channelValues(signalType), std::vector<std::int32_t>(capacity, 0));
}

TEST_F(CommonCommandsTest, CancelAfterAChangeLeavesTheDocumentAndRecordsNoStep) {
    const RadioImage before = doc.GetMainMemory();
    auto cancelAfterChange = [](HDialog& page, std::string_view) {
        page.OnInitDialog();
        page.SelectIndex(page.GetControls().front().id, 1);
        page.OnCancel();
        return false;
    };
    EXPECT_FALSE(commands.OnMenuCommon(ID_COMMON_SCANNING, cancelAfterChange));
    EXPECT_TRUE(doc.GetMainMemory() == before);
    EXPECT_FALSE(doc.GetDataModified());
    EXPECT_FALSE(doc.GetUndoHistory().canUndo());
}

TEST_F(CommonCommandsTest, HardwareOkWithoutBandChangeMarksModifiedAndStoresTheChannels) {
    mode.set(ACCESS_MANUFACTURE);
    auto pressOk = [](HDialog& page, std::string_view title) {
        EXPECT_EQ(title, "Hardware");
        page.OnInitDialog();
        return page.OnOK();
    };
    ASSERT_TRUE(commands.OnMenuCommon(ID_COMMON_HARDWARE, pressOk));
    EXPECT_TRUE(doc.GetDataModified());
    // Edits committed before the page, the channel data stored after it.
    EXPECT_EQ(events.saves, 2);
    ASSERT_EQ(announced.changes.size(), 1u);
    EXPECT_FALSE(announced.changes[0].has(DocumentChange::IDENTITY)) << "the same radio";
}

TEST_F(CommonCommandsTest, EveryOfferedPageHasATitleAndCommandsWithoutAPageDoNothing) {
    for (int id :
         {ID_COMMON_HARDWARE, ID_COMMON_SCANNING, ID_COMMON_POWER_SAVING, ID_COMMON_KEY_FUNCTION,
          ID_COMMON_MARKETING, ID_COMMON_MISCELLANEOUS, ID_COMMON_DIRECT_CH}) {
        EXPECT_NE(CommonCommands::CreatePage(id, doc, ACCESS_MANUFACTURE, prompt), nullptr) << id;
        EXPECT_FALSE(CommonCommands::PageTitle(id).empty()) << id;
    }
    bool ran = false;
    EXPECT_FALSE(commands.OnMenuCommon(ID_COMMON_OPTION, [&ran](HDialog&, std::string_view) {
        ran = true;
        return true;
    }));
    EXPECT_FALSE(ran);
}

} // namespace
} // namespace kq70
