#pragma once

#include "image/RadioImage.h"
#include "output/CsvChannelImport.h"
#include "output/CsvImportError.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kq70 {

// What an import made of an image.
struct CsvImportResult {
    // Every error of the file; when there is any, `image` is the image as it was given.
    std::vector<CsvImportError> errors;
    RadioImage image;
    // Programmed channels (1-based) the file does not list: made unused with
    // UnlistedChannels::Unprogram, kept otherwise. A front end that asks first imports with
    // Keep, asks with this count, and imports again with Unprogram on Yes.
    std::vector<int> unlistedChannels;
    // The hardware page stored a changed value (the document's "hardware edited" mark).
    bool hardwareEdited = false;

    bool ok() const { return errors.empty(); }
};

// Import from CSV: reads a file in the layout Export to CSV writes, also after a spreadsheet
// program saved it again, and applies it to a copy of an image as a user would enter it in
// the access mode: each parameter section through its page and OK, the channel section
// through the channel allocation dialog and the channel grid. Sections apply in file order.
// All or nothing: any bad cell is reported with its line and column, every error of the file
// in one run, and the image is then left as it was.
class CsvImport {
public:
    static constexpr std::size_t MAX_FILE_SIZE = 1024 * 1024;

    CsvImport(int accessMode, UnlistedChannels unlisted);

    CsvImportResult importText(const RadioImage& image, std::string_view text) const;
    // A file over 1 MB, or one that is not text, is refused before it is parsed.
    CsvImportResult importFile(const RadioImage& image, const std::string& path) const;

    // Reads a file for an import into `text`; the reason when it is refused.
    static std::optional<CsvImportError> readFile(const std::string& path, std::string& text);

private:
    int m_accessMode;
    UnlistedChannels m_unlisted;
};

} // namespace kq70
