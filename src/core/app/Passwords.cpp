#include "app/Passwords.h"

#include "app/AccessMode.h"
#include "ui/AsciiText.h"
#include "ui/Strings.h"
#include "ui/UserPrompt.h"

namespace kq70 {

namespace {

constexpr std::string_view MANUFACTURE_PHRASE = "Quiet Harbours";
constexpr std::string_view E_MODE_WORD = "lomari-ke";
constexpr std::string_view ADJUSTMENT_KEYWORD_UPPER = "MUL-PEK";
constexpr std::string_view ADJUSTMENT_KEYWORD_LOWER = "mul-pek";

} // namespace

namespace passwords {

bool isManufacturePhrase(std::string_view entry) {
    return entry == MANUFACTURE_PHRASE;
}

bool isEModeWord(std::string_view entry) {
    if (entry.size() != E_MODE_WORD.size()) {
        return false;
    }
    for (std::size_t i = 0; i < entry.size(); ++i) {
        if (asciiLower(entry[i]) != E_MODE_WORD[i]) {
            return false;
        }
    }
    return true;
}

bool isAdjustmentKeyword(std::string_view entry) {
    if (entry.size() < ADJUSTMENT_KEYWORD_UPPER.size()) {
        return false;
    }
    for (std::size_t i = 0; i < ADJUSTMENT_KEYWORD_UPPER.size(); ++i) {
        if (entry[i] != ADJUSTMENT_KEYWORD_UPPER[i] && entry[i] != ADJUSTMENT_KEYWORD_LOWER[i]) {
            return false;
        }
    }
    return true;
}

} // namespace passwords

void confirmStartupAccessMode(AccessMode& mode, UserPrompt& prompt) {
    if (!mode.is(ACCESS_MANUFACTURE) && !mode.is(ACCESS_E_MODE)) {
        return;
    }
    const auto entry = prompt.passwordEntry();
    if (mode.is(ACCESS_MANUFACTURE)) {
        if (entry && passwords::isManufacturePhrase(*entry)) {
            prompt.message(Strings::get(IDS_MANUFACTURE_MODE_WARNING), MessageIcon::Information);
            return;
        }
        mode.set(ACCESS_NORMAL);
        return;
    }
    if (!entry || !passwords::isEModeWord(*entry)) {
        mode.set(ACCESS_NORMAL);
    }
}

bool unlockAdjustmentMode(AccessMode& mode, UserPrompt& prompt) {
    const auto entry = prompt.passwordEntry();
    if (!entry || !passwords::isAdjustmentKeyword(*entry)) {
        return false;
    }
    mode.set(ACCESS_ADJUSTMENT);
    return true;
}

bool grantAccessMode(AccessMode& mode, int wanted, UserPrompt& prompt) {
    mode.set(ACCESS_NORMAL);
    switch (wanted) {
    case ACCESS_NORMAL:
        return true;
    case ACCESS_ADJUSTMENT:
        return unlockAdjustmentMode(mode, prompt);
    case ACCESS_MANUFACTURE:
    case ACCESS_E_MODE:
        mode.set(wanted);
        confirmStartupAccessMode(mode, prompt);
        return mode.value() == wanted;
    default:
        return false;
    }
}

} // namespace kq70
