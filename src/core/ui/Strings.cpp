#include "ui/Strings.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

// The version number is the project's, set in one place by the build.
#ifndef KQ70_PROJECT_VERSION
#error "KQ70_PROJECT_VERSION is set by the build"
#endif

namespace kq70 {
namespace {

struct StringEntry {
    int id;
    std::string_view text;
};

// The string table, sorted by id.  Texts are kept byte for byte as users and their manuals
// know them: the double blanks, trailing blanks and spellings such as "Erro!" and
// "Alingnment" are deliberate.
constexpr StringEntry STRING_TABLE[] = {
    // Data files
    {32, "Problem opening file\r\nFile Name = %1"},
    {33, "Problem writing to file"},
    {34, "Problem reading from file\r\nFile Name = %1"},
    {35, "Problem opening file\r\n%1"},
    {36, "Do  you want to write default file?"},
    {37, "The File cannot be Opened.\r\nThe File's format is invalid or not Supported"},
    {49, "The File's attribute is Read_Only.\r\nFile Name = %1"},
    // Download checks and messages of the radio jobs
    {85, "Frequency Band mismatched!"},
    {88, "Channel Step mismatched!"},
    {96, "Adjustment Data Checksum Error!"},
    // Alignment, version, window titles, radio password and adjustment recovery
    {115, "Alingnment Error"},
    {119, "Hardware Data mismatched! "},
    {120, KQ70_PROJECT_VERSION},
    {123, "Password mismatched! "},
    {125, "It failed in initial processing. "},
    {126, "It failed in the change processing. \n"},
    {127, "It failed in Tune Alignment,"},
    {128, "KQ70 for QM-724 PMR446"},
    {129, "Change Channel Erro!"},
    // No blank before "PMR446(M)": this title has always read so.
    {130, "KQ70 for QM-724PMR446(M)"},
    {132, "File for alignment is not found!(%1)"},
    {133, "Adjustment data has been defected.\r\nPlease Contact Orvalis."},
    {134, "Lot Number NG!"},
    {135, "Lot Number NG!Do you continue to this work?"},
    {136, "Stop adjustment recovery!"},
    {137, "Adjustment Data is NOT defected.\r\nRecover to Shipping Default?"},
    {138, "Backup Data is defected.\r\nRecover from Adjustment Data?"},
    {139, "Shipping Default is defected.\r\nLoad a Saved Data File?"},
    // Shown once the manufacture mode has been unlocked.
    {142, "Using the manufacture mode may fatally damage the radio's control data.\r\n"
          "No responsibility is taken for a radio damaged in this way."},
    {145, "It failed in downloading for adjustment data file.\r\n"
          "Please Switch  radio OFF,then back ON to start downloading former data."},
    {146, "Do you want to save changes ?"},
    {156, "KQ70 for QM-724 PMR446(A)"},
    {157, "KQ70 for QM-724 PMR446(E)"},
    {1022, "KQ70 Ver%1"},
    // Prompt lines of the key function page, slots 0-11
    {2220, "Specify [SIDE1] Key Press Function\n<SELECT>"},
    {2221, "Specify [SIDE2] Key Press Function\n<SELECT>"},
    {2222, "Specify [A] Key Press Function\n<SELECT>"},
    {2223, "Specify [B] Key Press Function\n<SELECT>"},
    {2224, "Specify [C] Key Press Function\n<SELECT>"},
    {2225, "Specify [D] Key Press Function\n<SELECT>"},
    {2226, "Specify [SIDE1] Key Press & Hold Function\n<SELECT>"},
    {2227, "Specify [SIDE2] Key Press & Hold Function\n<SELECT>"},
    {2228, "Specify [A] Key Press & Hold Function\n<SELECT>"},
    {2229, "Specify [B] Key Press & Hold Function\n<SELECT>"},
    {2230, "Specify [C] Key Press & Hold Function\n<SELECT>"},
    {2231, "Specify [D] Key Press & Hold Function\n<SELECT>"},
    // Prompt lines of the channel allocation dialog: count, tag and scan flag of groups 1-16
    {2601, "Edit Channel Number(1 - 255)\n<ENTER>"},
    {2602, "Edit Channel Number(1 - 255)\n<ENTER>"},
    {2603, "Edit Channel Number(1 - 255)\n<ENTER>"},
    {2604, "Edit Channel Number(1 - 255)\n<ENTER>"},
    {2605, "Edit Channel Number(1 - 255)\n<ENTER>"},
    {2606, "Edit Channel Number(1 - 255)\n<ENTER>"},
    {2607, "Edit Channel Number(1 - 255)\n<ENTER>"},
    {2608, "Edit Channel Number(1 - 255)\n<ENTER>"},
    {2609, "Edit Channel Number(1 - 255)\n<ENTER>"},
    {2610, "Edit Channel Number(1 - 255)\n<ENTER>"},
    {2611, "Edit Channel Number(1 - 255)\n<ENTER>"},
    {2612, "Edit Channel Number(1 - 255)\n<ENTER>"},
    {2613, "Edit Channel Number(1 - 255)\n<ENTER>"},
    {2614, "Edit Channel Number(1 - 255)\n<ENTER>"},
    {2615, "Edit Channel Number(1 - 255)\n<ENTER>"},
    {2616, "Edit Channel Number(1 - 255)\n<ENTER>"},
    {2617, "Edit Group Alpha Tag Max 8 Letters\n<ENTER>"},
    {2618, "Edit Group Alpha Tag Max 8 Letters\n<ENTER>"},
    {2619, "Edit Group Alpha Tag Max 8 Letters\n<ENTER>"},
    {2620, "Edit Group Alpha Tag Max 8 Letters\n<ENTER>"},
    {2621, "Edit Group Alpha Tag Max 8 Letters\n<ENTER>"},
    {2622, "Edit Group Alpha Tag Max 8 Letters\n<ENTER>"},
    {2623, "Edit Group Alpha Tag Max 8 Letters\n<ENTER>"},
    {2624, "Edit Group Alpha Tag Max 8 Letters\n<ENTER>"},
    {2625, "Edit Group Alpha Tag Max 8 Letters\n<ENTER>"},
    {2626, "Edit Group Alpha Tag Max 8 Letters\n<ENTER>"},
    {2627, "Edit Group Alpha Tag Max 8 Letters\n<ENTER>"},
    {2628, "Edit Group Alpha Tag Max 8 Letters\n<ENTER>"},
    {2629, "Edit Group Alpha Tag Max 8 Letters\n<ENTER>"},
    {2630, "Edit Group Alpha Tag Max 8 Letters\n<ENTER>"},
    {2631, "Edit Group Alpha Tag Max 8 Letters\n<ENTER>"},
    {2632, "Edit Group Alpha Tag Max 8 Letters\n<ENTER>"},
    {2651, "Group Scan(None/SCAN)\n<SELECT>"},
    {2652, "Group Scan(None/SCAN)\n<SELECT>"},
    {2653, "Group Scan(None/SCAN)\n<SELECT>"},
    {2654, "Group Scan(None/SCAN)\n<SELECT>"},
    {2655, "Group Scan(None/SCAN)\n<SELECT>"},
    {2656, "Group Scan(None/SCAN)\n<SELECT>"},
    {2657, "Group Scan(None/SCAN)\n<SELECT>"},
    {2658, "Group Scan(None/SCAN)\n<SELECT>"},
    {2659, "Group Scan(None/SCAN)\n<SELECT>"},
    {2660, "Group Scan(None/SCAN)\n<SELECT>"},
    {2661, "Group Scan(None/SCAN)\n<SELECT>"},
    {2662, "Group Scan(None/SCAN)\n<SELECT>"},
    {2663, "Group Scan(None/SCAN)\n<SELECT>"},
    {2664, "Group Scan(None/SCAN)\n<SELECT>"},
    {2665, "Group Scan(None/SCAN)\n<SELECT>"},
    {2666, "Group Scan(None/SCAN)\n<SELECT>"},
};

constexpr bool isSortedAndUnique() {
    for (std::size_t i = 1; i < std::size(STRING_TABLE); ++i) {
        if (STRING_TABLE[i - 1].id >= STRING_TABLE[i].id) {
            return false;
        }
    }
    return true;
}
static_assert(isSortedAndUnique(), "string table ids must be ascending and unique");

const StringEntry* find(int id) {
    const auto* end = std::end(STRING_TABLE);
    const auto* it =
        std::lower_bound(std::begin(STRING_TABLE), end, id,
                         [](const StringEntry& entry, int wanted) { return entry.id < wanted; });
    if (it == end || it->id != id) {
        return nullptr;
    }
    return it;
}

} // namespace

std::string_view Strings::get(int id) {
    const StringEntry* entry = find(id);
    return entry != nullptr ? entry->text : std::string_view{};
}

bool Strings::has(int id) {
    return find(id) != nullptr;
}

} // namespace kq70
