#include "ui/Strings.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace kq70 {
namespace {

// The compiler checks strprintf's arguments only against a literal format; the program's
// formats come from the string table, so this test holds each one against what its callers
// pass. One letter per argument: i int, u unsigned, z size_t, L long long, f double,
// s C string; '?' marks a conversion no caller may use.

char kindOf(std::string_view length, char conversion) {
    switch (conversion) {
    case 'd':
    case 'i':
    case 'c':
        return length == "ll" ? 'L' : length == "z" ? '?' : length.empty() ? 'i' : '?';
    case 'u':
    case 'x':
    case 'X':
    case 'o':
        return length == "z" ? 'z' : length.empty() ? 'u' : '?';
    case 'f':
    case 'F':
    case 'e':
    case 'E':
    case 'g':
    case 'G':
        return length.empty() ? 'f' : '?';
    case 's':
        return length.empty() ? 's' : '?';
    default:
        return '?';
    }
}

// The argument kinds a printf format reads, in order. "%1" and "%2" are the message
// texts' placeholders, which substitute1 replaces; they read no argument.
std::string argumentKinds(std::string_view format) {
    std::string kinds;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') {
            continue;
        }
        std::size_t k = i + 1;
        if (k < format.size() && format[k] == '%') {
            i = k;
            continue;
        }
        const std::size_t start = k;
        while (k < format.size() &&
               std::string_view("-+ #0").find(format[k]) != std::string_view::npos) {
            ++k;
        }
        const bool flags = k > start;
        const auto skipNumber = [&] {
            if (k < format.size() && format[k] == '*') {
                kinds += 'i';
                ++k;
                return;
            }
            while (k < format.size() && format[k] >= '0' && format[k] <= '9') {
                ++k;
            }
        };
        skipNumber();
        const bool precision = k < format.size() && format[k] == '.';
        if (precision) {
            ++k;
            skipNumber();
        }
        const std::size_t lengthStart = k;
        while (k < format.size() &&
               std::string_view("hlzjtL").find(format[k]) != std::string_view::npos) {
            ++k;
        }
        const std::string_view length = format.substr(lengthStart, k - lengthStart);
        const char conversion = k < format.size() ? format[k] : '\0';
        const bool placeholder =
            !flags && !precision && length.empty() && k > start &&
            std::string_view("diouxXcsfFeEgGaAnp").find(conversion) == std::string_view::npos;
        if (!placeholder) {
            kinds += kindOf(length, conversion);
        }
        i = k;
    }
    return kinds;
}

struct FormatUse {
    std::string_view name;
    std::string_view format;
    std::string_view arguments; // as the callers pass them
};

// Every printf format of the table. A format added to the table belongs here too.
constexpr FormatUse FORMATS[] = {
    {"MENU_EDIT_UNDO_FORMAT", text::MENU_EDIT_UNDO_FORMAT, "s"},
    {"MENU_EDIT_REDO_FORMAT", text::MENU_EDIT_REDO_FORMAT, "s"},
    {"STEP_CELL_FORMAT", text::STEP_CELL_FORMAT, "sis"},
    {"STEP_EDIT_FORMAT", text::STEP_EDIT_FORMAT, "is"},
    {"STEP_PASTE_FORMAT", text::STEP_PASTE_FORMAT, "i"},
    {"STEP_PAGE_FORMAT", text::STEP_PAGE_FORMAT, "s"},
    {"VERIFY_FAILED_EEPROM_FORMAT", text::VERIFY_FAILED_EEPROM_FORMAT, "us"},
    {"VERIFY_FAILED_FLASH_FORMAT", text::VERIFY_FAILED_FLASH_FORMAT, "us"},
    {"GROUP_ENTRY_FORMAT", text::GROUP_ENTRY_FORMAT, "i"},
    {"CHANNELS_LEFT_FORMAT", text::CHANNELS_LEFT_FORMAT, "i"},
    {"CHANNEL_COUNT_FORMAT", text::CHANNEL_COUNT_FORMAT, "i"},
    {"FIRMWARE_VERSION_FORMAT", text::FIRMWARE_VERSION_FORMAT, "f"},
    {"GROUP_LINE_FORMAT", text::GROUP_LINE_FORMAT, "iss"},
    {"COMPARE_GROUP_FORMAT", text::COMPARE_GROUP_FORMAT, "is"},
    {"COMPARE_VALUES_FORMAT", text::COMPARE_VALUES_FORMAT, "i"},
    {"COMPARE_BYTES_FORMAT", text::COMPARE_BYTES_FORMAT, "i"},
    {"FREQUENCY_RANGE_LABEL_FORMAT", text::FREQUENCY_RANGE_LABEL_FORMAT, "s"},
    {"PRINT_FILE_NAME_FORMAT", text::PRINT_FILE_NAME_FORMAT, "s"},
    {"TAG_TOO_LONG", text::TAG_TOO_LONG, "z"},
    {"TAG_UNSHOWABLE", text::TAG_UNSHOWABLE, "s"},
    {"FREQUENCY_OUTSIDE_RANGE", text::FREQUENCY_OUTSIDE_RANGE, "Lff"},
    {"NOT_A_CTCSS_TONE", text::NOT_A_CTCSS_TONE, "i"},
    {"NOT_A_DCS_CODE", text::NOT_A_DCS_CODE, "i"},
    {"VCO_RESULT_FORMAT", text::VCO_RESULT_FORMAT, "ssii"},
    {"CHANNEL_FREQUENCY_FORMAT", text::CHANNEL_FREQUENCY_FORMAT, "f"},
    {"RX_TUNE_POINT_FORMAT", text::RX_TUNE_POINT_FORMAT, "sss"},
    {"RX_TUNE_RESULT_FORMAT", text::RX_TUNE_RESULT_FORMAT, "sii"},
    {"CTCSS_CHOOSER_FORMAT", text::CTCSS_CHOOSER_FORMAT, "if"},
    {"DCS_CHOOSER_FORMAT", text::DCS_CHOOSER_FORMAT, "iu"},
    {"CSV_IMPORT_CELL_ERROR", text::CSV_IMPORT_CELL_ERROR, "iss"},
    {"CSV_IMPORT_LINE_ERROR", text::CSV_IMPORT_LINE_ERROR, "is"},
    {"CSV_IMPORT_NOT_AN_ENTRY", text::CSV_IMPORT_NOT_AN_ENTRY, "ss"},
    {"CSV_IMPORT_NOT_A_NUMBER", text::CSV_IMPORT_NOT_A_NUMBER, "s"},
    {"CSV_IMPORT_NUMBER_RANGE", text::CSV_IMPORT_NUMBER_RANGE, "sss"},
    {"CSV_IMPORT_NOT_TYPABLE", text::CSV_IMPORT_NOT_TYPABLE, "si"},
    {"CSV_IMPORT_PAGE_KEEPS", text::CSV_IMPORT_PAGE_KEEPS, "s"},
    {"CSV_IMPORT_NOT_A_CHANNEL", text::CSV_IMPORT_NOT_A_CHANNEL, "s"},
    {"CSV_IMPORT_BEYOND_CAPACITY", text::CSV_IMPORT_BEYOND_CAPACITY, "ii"},
    {"CSV_IMPORT_UNLISTED_QUESTION", text::CSV_IMPORT_UNLISTED_QUESTION, "i"},
    {"CSV_IMPORT_ONE_ERROR", text::CSV_IMPORT_ONE_ERROR, "s"},
    {"CSV_IMPORT_ERRORS_FORMAT", text::CSV_IMPORT_ERRORS_FORMAT, "si"},
    {"SESSION_RECOVERY_QUESTION", text::SESSION_RECOVERY_QUESTION, "s"},
    {"DIRECT_CH_OUT_OF_RANGE", text::DIRECT_CH_OUT_OF_RANGE, "sii"},
    {"DIRECT_CH_NOT_STORABLE", text::DIRECT_CH_NOT_STORABLE, "sii"},
    {"FLEET_RADIO_LINE_FORMAT", text::FLEET_RADIO_LINE_FORMAT, "sssfs"},
    {"FLEET_SERIAL_FORMAT", text::FLEET_SERIAL_FORMAT, "s"},
    {"FLEET_SUMMARY_VERIFIED_FORMAT", text::FLEET_SUMMARY_VERIFIED_FORMAT, "ii"},
    {"FLEET_SUMMARY_WRITTEN_FORMAT", text::FLEET_SUMMARY_WRITTEN_FORMAT, "ii"},
    {"FLEET_SUMMARY_FAILED_FORMAT", text::FLEET_SUMMARY_FAILED_FORMAT, "is"},
    {"FLEET_SUMMARY_NOT_ANSWERING_FORMAT", text::FLEET_SUMMARY_NOT_ANSWERING_FORMAT, "is"},
    {"FLEET_SUMMARY_CANCELLED_FORMAT", text::FLEET_SUMMARY_CANCELLED_FORMAT, "is"},
    {"FLEET_RECORD_FAILED_FORMAT", text::FLEET_RECORD_FAILED_FORMAT, "ss"},
    {"FLEET_PASSWORD_FOR_FORMAT", text::FLEET_PASSWORD_FOR_FORMAT, "s"},
    {"FLEET_SIMULATED_PORT_FORMAT", text::FLEET_SIMULATED_PORT_FORMAT, "i"},
    {"FLEET_RUNNING_FORMAT", text::FLEET_RUNNING_FORMAT, "ii"},
    {"FLEET_RECORD_FORMAT", text::FLEET_RECORD_FORMAT, "s"},
    {"CSV_IMPORT_CHANNEL_TWICE", text::CSV_IMPORT_CHANNEL_TWICE, "ii"},
    {"CSV_IMPORT_IN_NO_GROUP", text::CSV_IMPORT_IN_NO_GROUP, "i"},
    {"CSV_IMPORT_NOT_A_FREQUENCY", text::CSV_IMPORT_NOT_A_FREQUENCY, "s"},
    {"CSV_IMPORT_STORE_RANGE", text::CSV_IMPORT_STORE_RANGE, "s"},
    {"CSV_IMPORT_OFF_STEP", text::CSV_IMPORT_OFF_STEP, "s"},
    {"CSV_IMPORT_PMR_ONLY", text::CSV_IMPORT_PMR_ONLY, "s"},
    {"CSV_IMPORT_NOT_A_TONE", text::CSV_IMPORT_NOT_A_TONE, "s"},
    {"CSV_IMPORT_NOT_A_FLAG", text::CSV_IMPORT_NOT_A_FLAG, "s"},
    {"CSV_IMPORT_NOT_A_SQUELCH", text::CSV_IMPORT_NOT_A_SQUELCH, "s"},
    {"CSV_IMPORT_NOT_AN_ENCRYPTION", text::CSV_IMPORT_NOT_AN_ENCRYPTION, "s"},
    {"CSV_IMPORT_GRID_KEEPS", text::CSV_IMPORT_GRID_KEEPS, "s"},
    {"CSV_IMPORT_NOT_A_GROUP_LINE", text::CSV_IMPORT_NOT_A_GROUP_LINE, "s"},
    {"CSV_IMPORT_NO_SUCH_GROUP", text::CSV_IMPORT_NO_SUCH_GROUP, "ii"},
    {"CSV_IMPORT_GROUP_TWICE", text::CSV_IMPORT_GROUP_TWICE, "ii"},
    {"CSV_IMPORT_GROUP_ORDER", text::CSV_IMPORT_GROUP_ORDER, "ii"},
    {"CSV_IMPORT_ALLOCATION_KEEPS", text::CSV_IMPORT_ALLOCATION_KEEPS, "iii"},
    {"CSV_IMPORT_TAG_NOT_TYPABLE", text::CSV_IMPORT_TAG_NOT_TYPABLE, "s"},
};

TEST(StringFormatsTest, EachFormatReadsWhatItsCallersPass) {
    for (const FormatUse& use : FORMATS) {
        EXPECT_EQ(argumentKinds(use.format), use.arguments) << use.name << ": " << use.format;
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

// The reader itself, on the forms the table uses and on those it must refuse.
TEST(StringFormatsTest, ReaderTellsConversionsFromPlaceholders) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"100%% of %1", ""}, {"Ch%1 data to Ch %2?", ""}, {"%-8s|%02X|%03o", "suu"},
        {"%*d", "ii"},       {"%zu %lld %5.1f", "zLf"},   {"%ld %hs %n %p", "????"},
        {"ends in %", "?"},
    };
    for (const auto& [format, kinds] : cases) {
        EXPECT_EQ(argumentKinds(format), kinds) << format;
    }
}

} // namespace
} // namespace kq70
