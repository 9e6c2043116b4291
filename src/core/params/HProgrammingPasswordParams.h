#pragma once

#include "fields/HParams.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kq70 {

class RadioImage;

// The radio's programming password: whether it is asked for and its six characters (0–9,
// A–D). Its last three bytes also carry the digits of the power-on password.
class HProgrammingPasswordParams : public HParams {
public:
    static constexpr std::size_t ENABLE = 0;
    static constexpr std::size_t PASSWORD = 1; // a text of PASSWORD_LENGTH characters
    static constexpr std::size_t VALUE_COUNT = 2;
    static constexpr std::size_t PASSWORD_LENGTH = 6;
    static constexpr std::string_view PASSWORD_CHARACTERS = "0123456789ABCD";

    HProgrammingPasswordParams();

    // Writes only what differs from the image, so bytes shared with the power-on password
    // are left alone unless the programming password itself was changed.
    void store(RadioImage& image) const override;

    bool isEnabled() const { return get(ENABLE) != 0; }
    const std::string& password() const { return getText(PASSWORD); }
    // Six characters of PASSWORD_CHARACTERS, letters in either case; stored upper-cased.
    // False, and nothing changed, for any other text.
    bool setPassword(std::string_view password);
};

} // namespace kq70
