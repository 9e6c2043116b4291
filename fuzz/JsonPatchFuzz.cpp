// The JSON patch reader and applier over the built-in UHF image: a patch that is accepted
// must be a fixed point (applying it to its own result changes nothing).
#include "FuzzSupport.h"
#include "JsonPatch.h"
#include "doc/DefaultImages.h"
#include "image/RadioImage.h"

#include <memory>

using namespace kq70;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto patch = nlohmann::ordered_json::parse(data, data + size, nullptr, false);
    if (patch.is_discarded()) {
        return 0;
    }
    const JsonPatch reader(patch);
    if (!reader.errors().empty()) {
        return 0;
    }
    auto once = std::make_unique<RadioImage>(builtInImage(BuiltInImage::Uhf));
    if (!reader.apply(*once).empty()) {
        return 0;
    }
    auto twice = std::make_unique<RadioImage>(*once);
    if (!reader.apply(*twice).empty()) {
        fuzz::fail("a patch accepted once is refused on its own result");
    }
    if (!(*twice == *once)) {
        fuzz::fail("applying an accepted patch again changed bytes");
    }
    return 0;
}
