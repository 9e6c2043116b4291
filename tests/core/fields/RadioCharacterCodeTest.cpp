#include "fields/RadioCharacterCode.h"

#include <gtest/gtest.h>

#include <string_view>

namespace kq70 {
namespace {

// The whole character set in code order, codes 0 to 48.
constexpr std::string_view CHARACTERS = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ <>+-=*/[\\]:_";

TEST(RadioCharacterCodeTest, EveryCodeMapsToItsCharacterAndBack) {
    ASSERT_EQ(CHARACTERS.size(), 49U);
    for (std::size_t code = 0; code < CHARACTERS.size(); ++code) {
        SCOPED_TRACE(code);
        EXPECT_EQ(RadioCharacterCode::decode(static_cast<std::uint8_t>(code)), CHARACTERS[code]);
        EXPECT_EQ(RadioCharacterCode::encode(CHARACTERS[code]), code);
    }
}

TEST(RadioCharacterCodeTest, CharactersOutsideTheSetBecomeSpaces) {
    for (const char c : std::string_view("az%!~.,@\t\x80\xFF")) {
        SCOPED_TRACE(static_cast<int>(c));
        EXPECT_EQ(RadioCharacterCode::encode(c), RadioCharacterCode::SPACE);
    }
    EXPECT_EQ(RadioCharacterCode::encode('\0'), RadioCharacterCode::SPACE);
}

} // namespace
} // namespace kq70
