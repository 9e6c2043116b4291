#include "ui/Strings.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kq70 {
namespace {

// The compiler checks strprintf's arguments only against a literal format; the program's
// formats come from the string table, so this test holds each one against what its callers
// pass. One letter per argument: i int, u unsigned, z size_t, L long long, f double,
// s C string; '?' marks a conversion no caller may use.

char kindOf(std::string_view length, char conversion) {
    const auto in = [conversion](std::string_view set) {
        return set.find(conversion) != std::string_view::npos;
    };
    if (in("dic")) {
        return length == "ll" ? 'L' : length.empty() ? 'i' : '?';
    }
    if (in("uxXo")) {
        return length == "z" ? 'z' : length.empty() ? 'u' : '?';
    }
    if (in("fFeEgGs")) {
        return length.empty() ? (conversion == 's' ? 's' : 'f') : '?';
    }
    return '?';
}

// The argument kinds a printf format reads, in order. "%1" and "%2" are the message
// texts' placeholders, which substitute1 replaces; they read no argument.
std::string argumentKinds(std::string_view format) {
    // Flags, width, precision, length and the conversion character of each "%".
    static const std::regex conversionPattern(
        R"(%(%|([-+ #0]*)(\*|\d*)(\.(\*|\d*))?([hlzjtL]*)([\s\S]?)))");
    const std::string text(format);
    std::string kinds;
    for (std::sregex_iterator it(text.begin(), text.end(), conversionPattern), end; it != end;
         ++it) {
        const std::smatch& m = *it;
        if (m.str(1) == "%") {
            continue;
        }
        kinds += std::string(static_cast<std::size_t>(m.str(3) == "*") + (m.str(5) == "*"), 'i');
        const char conversion = m.length(7) > 0 ? m.str(7)[0] : '\0';
        const bool placeholder =
            m.length(2) == 0 && !m[4].matched && m.length(6) == 0 && m.length(3) > 0 &&
            std::string_view("diouxXcsfFeEgGaAnp").find(conversion) == std::string_view::npos;
        if (!placeholder) {
            kinds += kindOf(m.str(6), conversion);
        }
    }
    return kinds;
}

// Every printf format of the table, by the arguments its callers pass. A format added to the
// table belongs here too.
const std::pair<std::string_view, std::vector<std::string_view>> FORMATS[] = {
    {"s", {text::MENU_EDIT_UNDO_FORMAT,      text::MENU_EDIT_REDO_FORMAT,
           text::STEP_PAGE_FORMAT,           text::FREQUENCY_RANGE_LABEL_FORMAT,
           text::PRINT_FILE_NAME_FORMAT,     text::TAG_UNSHOWABLE,
           text::CSV_IMPORT_NOT_A_NUMBER,    text::CSV_IMPORT_PAGE_KEEPS,
           text::CSV_IMPORT_NOT_A_CHANNEL,   text::CSV_IMPORT_ONE_ERROR,
           text::SESSION_RECOVERY_QUESTION,  text::FLEET_SERIAL_FORMAT,
           text::FLEET_PASSWORD_FOR_FORMAT,  text::FLEET_RECORD_FORMAT,
           text::CSV_IMPORT_NOT_A_FREQUENCY, text::CSV_IMPORT_STORE_RANGE,
           text::CSV_IMPORT_OFF_STEP,        text::CSV_IMPORT_PMR_ONLY,
           text::CSV_IMPORT_NOT_A_TONE,      text::CSV_IMPORT_NOT_A_FLAG,
           text::CSV_IMPORT_NOT_A_SQUELCH,   text::CSV_IMPORT_NOT_AN_ENCRYPTION,
           text::CSV_IMPORT_GRID_KEEPS,      text::CSV_IMPORT_NOT_A_GROUP_LINE,
           text::CSV_IMPORT_TAG_NOT_TYPABLE}},
    {"sis", {text::STEP_CELL_FORMAT}},
    {"is",
     {text::STEP_EDIT_FORMAT, text::COMPARE_GROUP_FORMAT, text::CSV_IMPORT_LINE_ERROR,
      text::FLEET_SUMMARY_FAILED_FORMAT, text::FLEET_SUMMARY_NOT_ANSWERING_FORMAT,
      text::FLEET_SUMMARY_CANCELLED_FORMAT}},
    {"i",
     {text::STEP_PASTE_FORMAT, text::GROUP_ENTRY_FORMAT, text::CHANNELS_LEFT_FORMAT,
      text::CHANNEL_COUNT_FORMAT, text::COMPARE_VALUES_FORMAT, text::COMPARE_BYTES_FORMAT,
      text::NOT_A_CTCSS_TONE, text::NOT_A_DCS_CODE, text::CSV_IMPORT_UNLISTED_QUESTION,
      text::FLEET_SIMULATED_PORT_FORMAT, text::CSV_IMPORT_IN_NO_GROUP}},
    {"us", {text::VERIFY_FAILED_EEPROM_FORMAT, text::VERIFY_FAILED_FLASH_FORMAT}},
    {"f", {text::FIRMWARE_VERSION_FORMAT, text::CHANNEL_FREQUENCY_FORMAT}},
    {"iss", {text::GROUP_LINE_FORMAT, text::CSV_IMPORT_CELL_ERROR}},
    {"z", {text::TAG_TOO_LONG}},
    {"Lff", {text::FREQUENCY_OUTSIDE_RANGE}},
    {"ssii", {text::VCO_RESULT_FORMAT}},
    {"sss", {text::RX_TUNE_POINT_FORMAT, text::CSV_IMPORT_NUMBER_RANGE}},
    {"sii",
     {text::RX_TUNE_RESULT_FORMAT, text::DIRECT_CH_OUT_OF_RANGE, text::DIRECT_CH_NOT_STORABLE}},
    {"if", {text::CTCSS_CHOOSER_FORMAT}},
    {"iu", {text::DCS_CHOOSER_FORMAT}},
    {"ss", {text::CSV_IMPORT_NOT_AN_ENTRY, text::FLEET_RECORD_FAILED_FORMAT}},
    {"si", {text::CSV_IMPORT_NOT_TYPABLE, text::CSV_IMPORT_ERRORS_FORMAT}},
    {"ii",
     {text::CSV_IMPORT_BEYOND_CAPACITY, text::FLEET_SUMMARY_VERIFIED_FORMAT,
      text::FLEET_SUMMARY_WRITTEN_FORMAT, text::FLEET_RUNNING_FORMAT,
      text::CSV_IMPORT_CHANNEL_TWICE, text::CSV_IMPORT_NO_SUCH_GROUP, text::CSV_IMPORT_GROUP_TWICE,
      text::CSV_IMPORT_GROUP_ORDER}},
    {"sssfs", {text::FLEET_RADIO_LINE_FORMAT}},
    {"iii", {text::CSV_IMPORT_ALLOCATION_KEEPS}},
};

TEST(StringFormatsTest, EachFormatReadsWhatItsCallersPass) {
    for (const auto& [arguments, formats] : FORMATS) {
        for (const std::string_view format : formats) {
            EXPECT_EQ(argumentKinds(format), arguments) << format;
        }
    }
}

// Message texts go through substitute1, never printf: a printf conversion in one would print
// its characters as they stand, and a stray one would read an argument that is not there.
TEST(StringFormatsTest, MessageTextsHoldOnlyPlaceholders) {
    for (int id = 0; id < 10000; ++id) {
        if (Strings::has(id)) {
            EXPECT_EQ(argumentKinds(Strings::get(id)), "") << id << ": " << Strings::get(id);
        }
    }
}

} // namespace
} // namespace kq70
