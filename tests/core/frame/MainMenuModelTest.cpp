#include "frame/MainMenuModel.h"

#include "app/AccessMode.h"
#include "doc/DefaultImages.h"
#include "doc/UndoHistory.h"
#include "frame/DocumentCommands.h"
#include "image/RadioImage.h"
#include "params/HHardwareParams.h"
#include "support/TestRadios.h"
#include "ui/Strings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <vector>

namespace kq70 {
namespace {

const std::vector<int> COMMON_IDS{
    ID_COMMON_HARDWARE,      ID_COMMON_OPTION,       ID_COMMON_SCANNING,  ID_COMMON_POWER_SAVING,
    ID_COMMON_FRONT_PANEL,   ID_COMMON_KEY_FUNCTION, ID_COMMON_EMERGENCY, ID_COMMON_MARKETING,
    ID_COMMON_MISCELLANEOUS, ID_COMMON_PASSWORD,     ID_COMMON_DIRECT_CH};

std::vector<int> commonCommands(const MainMenuModel& model) {
    std::vector<int> shown;
    std::ranges::copy_if(COMMON_IDS, std::back_inserter(shown),
                         [&model](int id) { return model.Has(id); });
    return shown;
}

std::vector<std::string_view> barTitles(const MainMenuModel& model) {
    std::vector<std::string_view> titles;
    std::ranges::transform(model.GetMenus(), std::back_inserter(titles), &Menu::title);
    return titles;
}

TEST(MainMenuModelTest, CommonAndRadioCommandsByAccessModeAndRadioChannel) {
    const std::vector<int> userPages{ID_COMMON_SCANNING, ID_COMMON_POWER_SAVING,
                                     ID_COMMON_KEY_FUNCTION, ID_COMMON_MISCELLANEOUS};
    const std::vector<int> factoryPages{ID_COMMON_HARDWARE,     ID_COMMON_SCANNING,
                                        ID_COMMON_POWER_SAVING, ID_COMMON_KEY_FUNCTION,
                                        ID_COMMON_MARKETING,    ID_COMMON_MISCELLANEOUS};
    struct Case {
        int mode;
        int radioChannel;
        std::vector<int> common;
        bool alignment;
        bool recover;
    };
    auto withDirect = [](std::vector<int> ids) {
        ids.push_back(ID_COMMON_DIRECT_CH);
        return ids;
    };
    const Case cases[] = {
        {ACCESS_NORMAL, 5, userPages, false, false},
        {ACCESS_NORMAL, 6, withDirect(userPages), false, false},
        {ACCESS_E_MODE, 6, withDirect(userPages), false, false},
        {ACCESS_ADJUSTMENT, 3, userPages, true, false},
        {ACCESS_MANUFACTURE, 4, factoryPages, false, true},
        {ACCESS_MANUFACTURE, 6, withDirect(factoryPages), false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "mode " << c.mode << ", radio channel " << c.radioChannel);
        MainMenuModel model(c.mode);
        model.UpdateRadioMenus(c.radioChannel);
        EXPECT_EQ(commonCommands(model), c.common);
        EXPECT_EQ(model.Has(ID_RADIO_ALIGNMENT), c.alignment);
        EXPECT_EQ(model.Has(ID_RADIO_ADJ_RECOVER), c.recover);
        for (int gone : {ID_RADIO_CH_FINE_ALIGNMENT, ID_RADIO_ADJ_DEFAULT, ID_SIGNALLING_TYPE,
                         ID_SIGNALLING_5TONE_ENCODE}) {
            EXPECT_FALSE(model.Has(gone)) << gone;
        }
    }
}

TEST(MainMenuModelTest, ChannelMenuComesAndGoesAtPositionSixWithTheRadioChannel) {
    MainMenuModel model(ACCESS_NORMAL);
    const std::vector<std::string_view> base{text::MENU_FILE,   text::MENU_EDIT,  text::MENU_VIEW,
                                             text::MENU_COMMON, text::MENU_RADIO, text::MENU_HELP};
    EXPECT_EQ(barTitles(model), base);

    struct Step {
        int radioChannel;
        bool channelMenu;
        bool allocationsEnabled;
    };
    // Capacities 1, 2, 16, 16, 32, 48, 256; allocations need more than 16 channels.
    const Step steps[] = {{3, false, false}, {4, true, true}, {6, true, true},  {6, true, true},
                          {2, false, false}, {5, true, true}, {0, false, false}};
    for (const Step& step : steps) {
        SCOPED_TRACE(step.radioChannel);
        model.UpdateRadioMenus(step.radioChannel);
        std::vector<std::string_view> expected = base;
        if (step.channelMenu) {
            expected.insert(expected.begin() + 6, text::MENU_CHANNEL);
        }
        EXPECT_EQ(barTitles(model), expected);
        EXPECT_EQ(model.Has(ID_CHANNEL_ALLOCATIONS), step.channelMenu);
        EXPECT_EQ(model.IsEnabled(ID_CHANNEL_ALLOCATIONS), step.allocationsEnabled);
    }
}

// A run unlocked into the adjustment mode offers Alignment from then on, for the same radio.
TEST(MainMenuModelTest, AnotherAccessModeRebuildsTheBarForTheSameRadio) {
    RadioImage image;
    BuildDefaultImage(PMR446_BAND, image);
    test::setHardwareValue(image, HW_RADIO_CHANNEL, 6);
    UndoHistory history;
    history.record("Hardware page", image, {});

    MainMenuModel model(ACCESS_NORMAL);
    model.SetUndoHistory(&history);
    model.UpdateRadioMenus(image); // the radio channel comes from the image
    EXPECT_EQ(model.Position(text::MENU_CHANNEL), 6);
    ASSERT_FALSE(model.Has(ID_RADIO_ALIGNMENT));
    model.SetAccessMode(ACCESS_ADJUSTMENT, image);
    EXPECT_TRUE(model.Has(ID_RADIO_ALIGNMENT));
    EXPECT_EQ(model.Position(text::MENU_CHANNEL), 6);
    EXPECT_TRUE(model.IsEnabled(ID_EDIT_UNDO));
}

TEST(MainMenuModelTest, NoMenuStartsOrEndsWithASeparatorOrRepeatsOne) {
    for (int mode : {ACCESS_NORMAL, ACCESS_MANUFACTURE, ACCESS_ADJUSTMENT, ACCESS_E_MODE}) {
        MainMenuModel model(mode);
        for (const Menu& menu : model.GetMenus()) {
            ASSERT_FALSE(menu.entries.empty()) << menu.title;
            EXPECT_NE(menu.entries.front().commandId, ID_SEPARATOR) << menu.title;
            EXPECT_FALSE(menu.entries.back().commandId == ID_SEPARATOR &&
                         menu.entries.back().popup.empty())
                << menu.title;
        }
    }
}

TEST(MainMenuModelTest, ToolbarUploadAndDownloadRunTheRadioCommands) {
    EXPECT_EQ(MainMenuModel::CanonicalCommand(ID_TOOLBAR_UPLOAD), ID_RADIO_UPLOAD);
    EXPECT_EQ(MainMenuModel::CanonicalCommand(ID_TOOLBAR_DOWNLOAD), ID_RADIO_DOWNLOAD);
}

TEST(MainMenuModelTest, UndoAndRedoFollowTheHistory) {
    MainMenuModel model(ACCESS_NORMAL);
    EXPECT_FALSE(model.IsEnabled(ID_EDIT_UNDO)) << "no history yet";
    UndoHistory history;
    model.SetUndoHistory(&history);
    auto state = [&] {
        return std::vector<std::string>{
            model.IsEnabled(ID_EDIT_UNDO) ? "on" : "off", model.CommandText(ID_EDIT_UNDO),
            model.IsEnabled(ID_EDIT_REDO) ? "on" : "off", model.CommandText(ID_EDIT_REDO)};
    };
    EXPECT_EQ(state(), (std::vector<std::string>{"off", "&Undo\tCtrl+Z", "off", "&Redo\tCtrl+Y"}));

    RadioImage image;
    EditFlags flags;
    history.record("Space on CH5 Sub Audio Dec", image, {});
    history.record("R&D page", image, {});
    EXPECT_EQ(state(),
              (std::vector<std::string>{"on", "&Undo R&&D page\tCtrl+Z", "off", "&Redo\tCtrl+Y"}))
        << "an ampersand in a description is shown, not taken as a mnemonic";
    history.undo(image, flags);
    EXPECT_EQ(state(), (std::vector<std::string>{"on", "&Undo Space on CH5 Sub Audio Dec\tCtrl+Z",
                                                 "on", "&Redo R&&D page\tCtrl+Y"}));
}

} // namespace
} // namespace kq70
