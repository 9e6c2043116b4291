#include "platform/Sha256.h"

#include <gtest/gtest.h>

#include <string>

namespace kq70 {
namespace {

std::span<const std::uint8_t> bytesOf(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// Published test vectors, and messages whose padding ends just before, at and after a block
// boundary; each is fed whole, a byte at a time and in pieces that straddle the blocks.
TEST(Sha256Test, KnownDigestsWhateverTheMessageIsCutInto) {
    const struct {
        std::string message;
        const char* digest;
    } cases[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {"abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopq"
         "rlmnopqrsmnopqrstnopqrstu",
         "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1"},
        {std::string(55, 'a'), "9f4390f8d30c2dd92ec9f095b65e2b9ae9b0a925a5258e241c9f1e910f734318"},
        {std::string(63, 'a'), "7d3e74a05d7db15bce4ad9ec0658ea98e3f06eeecf16b4c6fff2da457ddc2f34"},
        {std::string(64, 'a'), "ffe054fe7ae0cb6dc65c3af9b61d5209f439851db43d0ba5997337df154668eb"},
        {std::string(1000000, 'a'),
         "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    for (const auto& c : cases) {
        const auto message = bytesOf(c.message);
        EXPECT_EQ(Sha256::hex(message), c.digest) << c.message.size() << " bytes whole";
        for (const std::size_t piece : {std::size_t{1}, std::size_t{63}, std::size_t{100}}) {
            if (piece == 1 && message.size() > 1000) {
                continue;
            }
            Sha256 sha;
            for (std::size_t at = 0; at < message.size(); at += piece) {
                sha.update(message.subspan(at, std::min(piece, message.size() - at)));
            }
            EXPECT_EQ(Sha256::hex(sha.finish()), c.digest)
                << c.message.size() << " bytes in pieces of " << piece;
        }
    }
}

} // namespace
} // namespace kq70
