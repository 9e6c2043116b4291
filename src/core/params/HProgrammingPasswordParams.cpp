#include "params/HProgrammingPasswordParams.h"

#include "ui/AsciiText.h"

#include <array>

namespace kq70 {

namespace {

using P = HProgrammingPasswordParams;

constexpr std::array<FieldDescriptor, P::VALUE_COUNT> PROGRAMMING_PASSWORD_FIELDS{{
    /* 0 Programming Password (Disable/Enable)  0x29E1 bit 2 */ numberField(0x29E1, 2, 1, 0),
    /* 1 Programming Password ( 0-9 / A-D )     0x29E2 6 chars */
    textField(0x29E2, P::PASSWORD_LENGTH, "000000"),
}};
static_assert(allValid(PROGRAMMING_PASSWORD_FIELDS));

} // namespace

HProgrammingPasswordParams::HProgrammingPasswordParams() : HParams(PROGRAMMING_PASSWORD_FIELDS) {}

void HProgrammingPasswordParams::store(RadioImage& image) const {
    HRecordFieldTable table = positionedTable();
    table.init(image);
    if (table.getValue(ENABLE) != get(ENABLE)) {
        table.setValue(ENABLE, get(ENABLE));
    }
    if (table.readString(PASSWORD) != password()) {
        table.writeString(PASSWORD, password());
    }
}

bool HProgrammingPasswordParams::setPassword(std::string_view password) {
    if (password.size() != PASSWORD_LENGTH) {
        return false;
    }
    std::string upper;
    for (const char ch : password) {
        const char c = asciiUpper(ch);
        if (PASSWORD_CHARACTERS.find(c) == std::string_view::npos) {
            return false;
        }
        upper.push_back(c);
    }
    setText(PASSWORD, upper);
    return true;
}

} // namespace kq70
