#include "output/ParameterListing.h"

#include "app/AccessMode.h"
#include "doc/CKQ70Doc.h"
#include "log/HLogPrint.h"
#include "pages/HDirectChDialog.h"
#include "pages/HHardwareDialog.h"
#include "pages/HKeyFuncDialog.h"
#include "pages/HMarketingDialog.h"
#include "pages/HMiscDialog.h"
#include "pages/HPowerSaveDialog.h"
#include "pages/HScanningDialog.h"
#include "params/HHardwareParams.h"
#include "ui/Strings.h"

#include <initializer_list>

namespace kq70 {

namespace {

using Item = ParameterListing::Item;

// The Direct CH page exists from this Radio Channel value on.

// The key function page's shown slots, and the miscellaneous lines of the printed listing in
// the order they are printed.
constexpr std::initializer_list<std::size_t> PRINTED_KEY_LINES = {0, 1, 6, 7};
constexpr std::initializer_list<std::size_t> PRINTED_MISC_LINES = {1, 3, 9, 12, 7};

// The entries of a page opened as the user would see it.
std::vector<Item> openedPageItems(HDialog& page) {
    page.OnInitDialog();
    return page.GetListingItems();
}

template <typename Page> std::vector<Item> pageItems(RadioImage& image, int accessMode) {
    Page page(image, accessMode);
    return openedPageItems(page);
}

bool isListed(const Item& item) {
    return item.hasLine() && !item.value.empty();
}

std::vector<Item> listed(const std::vector<Item>& items) {
    std::vector<Item> kept;
    for (const Item& item : items) {
        if (isListed(item)) {
            kept.push_back(item);
        }
    }
    return kept;
}

std::vector<Item> listedAt(const std::vector<Item>& items,
                           std::initializer_list<std::size_t> positions) {
    std::vector<Item> kept;
    for (const std::size_t k : positions) {
        if (k < items.size() && isListed(items[k])) {
            kept.push_back(items[k]);
        }
    }
    return kept;
}

} // namespace

ParameterListing::ParameterListing(CKQ70Doc& doc, int accessMode, UserPrompt& prompt)
    : m_doc(doc), m_accessMode(accessMode), m_prompt(prompt) {}

std::string ParameterListing::fileNameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

int ParameterListing::radioChannelValue() const {
    return radioChannelValueOf(m_doc.GetMainMemory());
}

std::vector<Item> ParameterListing::marketingItems() const {
    const std::vector<Item> items =
        pageItems<HMarketingDialog>(m_doc.GetMainMemory(), m_accessMode);
    std::vector<Item> picked;
    for (const std::size_t k :
         {HMarketingParams::MARKET_APPLICATION, HMarketingParams::SERIAL_NUMBER}) {
        if (k < items.size()) {
            picked.push_back(items[k]);
        }
    }
    return picked;
}

std::vector<ParameterListing::Section> ParameterListing::csvSections() const {
    RadioImage& image = m_doc.GetMainMemory();
    std::vector<Section> sections;
    if (m_accessMode == ACCESS_MANUFACTURE) {
        HHardwareDialog hardware(m_doc, m_accessMode, m_prompt);
        sections.push_back({text::CSV_HARDWARE, listed(openedPageItems(hardware))});
    }
    sections.push_back({text::CSV_SCAN, listed(pageItems<HScanningDialog>(image, m_accessMode))});
    sections.push_back(
        {text::CSV_POWER_SAVING, listed(pageItems<HPowerSaveDialog>(image, m_accessMode))});
    sections.push_back(
        {text::CSV_KEY_FUNCTION, listed(pageItems<HKeyFuncDialog>(image, m_accessMode))});
    sections.push_back(
        {text::CSV_MISCELLANEOUS, listed(pageItems<HMiscDialog>(image, m_accessMode))});
    if (radioChannelValue() >= RADIO_CHANNEL_256) {
        sections.push_back(
            {text::CSV_DIRECT_CH, listed(pageItems<HDirectChDialog>(image, m_accessMode))});
    }
    return sections;
}

std::vector<ParameterListing::Section> ParameterListing::printSections() const {
    RadioImage& image = m_doc.GetMainMemory();
    std::vector<Section> sections;
    if (m_accessMode == ACCESS_MANUFACTURE) {
        HHardwareDialog hardware(m_doc, m_accessMode, m_prompt);
        sections.push_back({text::PRINT_HARDWARE, listed(openedPageItems(hardware))});
    }
    sections.push_back({text::PRINT_SCAN, listed(pageItems<HScanningDialog>(image, m_accessMode))});
    sections.push_back(
        {text::PRINT_POWER_SAVING, listed(pageItems<HPowerSaveDialog>(image, m_accessMode))});
    sections.push_back(
        {text::PRINT_KEY_FUNCTION,
         listedAt(pageItems<HKeyFuncDialog>(image, m_accessMode), PRINTED_KEY_LINES)});
    sections.push_back({text::PRINT_MISCELLANEOUS,
                        listedAt(pageItems<HMiscDialog>(image, m_accessMode), PRINTED_MISC_LINES)});
    return sections;
}

} // namespace kq70
