#pragma once

#include <nlohmann/json.hpp>

namespace kq70 {

struct DocumentObjects;
class RadioImage;

// The document as one JSON object: every value the editors see, after extract, keyed as the
// patches of `apply` name them. Objects keep their keys in the order written here.
nlohmann::ordered_json documentJson(const DocumentObjects& objects, const RadioImage& image,
                                    long long fileSize);

} // namespace kq70
