#pragma once

#include <nlohmann/json.hpp>

#include <functional>
#include <string>
#include <vector>

namespace kq70 {

struct DocumentObjects;
class RadioImage;

// A set of values to write into a document, given in the keys `show --json` uses: page
// values as objects keyed by value index ({"scan": {"6": 3}}), channels, groups and paging
// codes as lists of objects naming their "index". The patch is read whole before anything is
// touched; apply then works on a copy of the image and hands it back only when every value
// the patch names reads back from the stored image exactly as given.
class JsonPatch {
public:
    explicit JsonPatch(const nlohmann::ordered_json& patch);

    // Unknown keys, wrong types, indices out of range, texts that cannot be stored. Each
    // message starts with the key path, e.g. "channels[0].txToneCode: expected an integer".
    const std::vector<std::string>& errors() const { return m_errors; }

    // Extracts every object from `image`, sets the patch's values, stores the hardware first
    // and the channel data last, and checks what was stored. On success `image` holds the
    // result; otherwise it is untouched and the messages say which values were refused.
    std::vector<std::string> apply(RadioImage& image) const;

    // One value the patch sets, and how to tell that it was stored as given.
    struct Entry {
        enum class Stage { Objects, ChannelGlobals };
        std::string path;
        Stage stage = Stage::Objects;
        std::function<void(DocumentObjects&)> set;
        // The reason the stored document does not hold the value; empty when it does.
        std::function<std::string(const DocumentObjects&)> verify;
    };

private:
    std::vector<Entry> m_entries;
    std::vector<std::string> m_errors;
};

} // namespace kq70
