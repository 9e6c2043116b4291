#pragma once

#include "pages/HDialog.h"

#include <string>
#include <string_view>
#include <vector>

namespace kq70 {

class CKQ70Doc;
class UserPrompt;

// The radio-wide values as the parameter pages show them, for the CSV export and the printed
// listing. Each page is opened without being shown (so its controls hold exactly what a user
// would see in this access mode), read and closed again; nothing is stored.
class ParameterListing {
public:
    using Item = HDialog::ListingItem;

    struct Section {
        std::string_view title;
        std::vector<Item> items; // only entries with a line and a value
    };

    // The prompt is only there because the hardware page needs one; it is never asked.
    ParameterListing(CKQ70Doc& doc, int accessMode, UserPrompt& prompt);

    // Items 0 and 2 of the marketing page: the market application and the serial number.
    std::vector<Item> marketingItems() const;
    // The CSV sections in order, each with every entry of its page that shows a value.
    std::vector<Section> csvSections() const;
    // The sections of the printed common-data page, with the entries the listing prints.
    std::vector<Section> printSections() const;

    int radioChannelValue() const;

    // The file name the listing's title shows: the path without its folder.
    static std::string fileNameOf(const std::string& path);

private:
    CKQ70Doc& m_doc;
    int m_accessMode;
    UserPrompt& m_prompt;
};

} // namespace kq70
