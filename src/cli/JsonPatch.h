#pragma once

#include "doc/DocumentObjects.h"

#include <nlohmann/json.hpp>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kq70 {

class RadioImage;

// A set of values to write into a document, given in the keys `show --json` uses: page
// values as objects keyed by value index ({"scan": {"6": 3}}), channels, groups and paging
// codes as lists of objects naming their "index". The patch is read whole before anything is
// touched; apply then works on a copy of the image and hands it back only when every value
// the patch names reads back exactly as given and no value it does not name has changed
// (values the radio works out itself, such as PLL words, follow as they must).
class JsonPatch {
public:
    explicit JsonPatch(const nlohmann::ordered_json& patch);

    // Reads a patch from its text. Text that is not one JSON document, or one that names a
    // key twice in an object, gives a patch that applies nothing and says why.
    static JsonPatch fromText(std::string_view text);

    // "line L, column C: what is wrong" when the text is not JSON; nothing otherwise.
    const std::optional<std::string>& syntaxError() const { return m_syntaxError; }

    // Unknown keys, wrong types, indices out of range, texts that cannot be stored. Each
    // message starts with the key path, e.g. "channels[0].txToneCode: expected an integer".
    const std::vector<std::string>& errors() const { return m_errors; }

    // Extracts every object from `image`, sets the patch's values, stores the parts they
    // belong to (and the parts whose store reads them) in the document's order, and checks
    // what was stored. On success `image` holds the result, which a second apply of the same
    // patch leaves as it is; otherwise it is untouched and the messages say what was refused.
    std::vector<std::string> apply(RadioImage& image) const;

    // One value the patch sets, and how to tell that it was stored as given.
    struct Entry {
        enum class Stage { Objects, ChannelGlobals };
        std::string path;   // where the patch names it: "channels[0].rxFrequency"
        std::string target; // the value it sets, as the document names it: "channels.3.rxFrequency"
        DocumentPart part = DocumentPart::Hardware;
        Stage stage = Stage::Objects;
        std::function<void(DocumentObjects&)> set;
        // The reason the stored document does not hold the value; empty when it does.
        std::function<std::string(const DocumentObjects&)> verify;
        // What of the channel data part the value belongs to, so that storing writes that
        // record, group or the global values only.
        enum class Object { Part, Channel, Group, ChannelGlobals };
        Object object = Object::Part;
        int index = -1;
    };

private:
    JsonPatch() = default;

    void storeOnce(RadioImage& image) const;
    std::vector<std::string> unnamedChanges(const RadioImage& before,
                                            const RadioImage& after) const;

    std::vector<Entry> m_entries;
    std::vector<std::string> m_errors;
    std::optional<std::string> m_syntaxError;
};

} // namespace kq70
