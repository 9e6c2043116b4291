#include "app/AccessMode.h"
#include "channel/HChannelData.h"
#include "factory/FactoryImages.h"
#include "image/RadioImage.h"
#include "pages/HDirectChDialog.h"
#include "pages/HKeyFuncDialog.h"
#include "pages/HMarketingDialog.h"
#include "pages/HMiscDialog.h"
#include "pages/HPowerSaveDialog.h"
#include "pages/HScanningDialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

namespace kq70 {
namespace {

// An image of every default of these pages, on radios with and without a display; with a
// fill, the bytes of the pages' settings hold values many lists have no entry for, and values
// that two pages read from the same bits.
RadioImage defaultsImage(std::uint8_t hardwareByte, std::optional<std::uint8_t> fill = {}) {
    RadioImage image;
    storeParameterDefaults(image);
    image.setByte(0x26E9, hardwareByte);
    image.setByte(0x0007, hardwareByte); // the hardware block's mirror
    if (fill) {
        std::ranges::fill(image.range(0x0202, 6), *fill);
        std::ranges::fill(image.range(0x0262, 0x027D - 0x0262), *fill);
    }
    return image;
}

template <typename Page> std::unique_ptr<HDialog> openPage(RadioImage& image, int mode) {
    return std::make_unique<Page>(image, mode);
}

// A page the user opens and closes with OK writes back exactly what it read: a value its list
// has no entry for (shown as the list's first entry) is kept, not replaced by that entry. The
// hardware page has its own test of this, with the values its lists lack.
TEST(CommonPagesRoundTripTest, OkWithoutAChangeLeavesTheImageAlone) {
    using Make = std::function<std::unique_ptr<HDialog>(RadioImage&, int)>;
    const std::pair<const char*, Make> pages[] = {
        {"key function", openPage<HKeyFuncDialog>},
        {"power saving", openPage<HPowerSaveDialog>},
        {"miscellaneous", openPage<HMiscDialog>},
        {"marketing", openPage<HMarketingDialog>},
        {"direct CH", openPage<HDirectChDialog>},
        {"scanning",
         [](RadioImage& i, int m) {
             HChannelData channels;
             channels.extract(i);
             return std::make_unique<HScanningDialog>(i, m, channels.firstSixteenInUse());
         }},
    };
    // Power ON Condition "DW" (2) in the bits Power ON Scan reads, every bit set, and a mix.
    const std::optional<std::uint8_t> fills[] = {std::nullopt, 0x02, 0xFF, 0xA5};
    for (const std::uint8_t hardware : {std::uint8_t{0x00}, std::uint8_t{0x63}}) {
        for (const int mode :
             {ACCESS_NORMAL, ACCESS_MANUFACTURE, ACCESS_ADJUSTMENT, ACCESS_E_MODE}) {
            for (const auto& fill : fills) {
                for (const auto& [name, make] : pages) {
                    RadioImage image = defaultsImage(hardware, fill);
                    const RadioImage before = image;
                    const auto page = make(image, mode);
                    page->OnInitDialog();
                    ASSERT_TRUE(page->OnOK());
                    EXPECT_TRUE(image == before)
                        << name << ", mode " << mode << ", fill " << (fill ? int(*fill) : -1);
                }
            }
        }
    }
}

} // namespace
} // namespace kq70
