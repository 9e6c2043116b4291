#pragma once

#include "output/CsvImportError.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kq70 {

class AccessMode;
class ChannelViewBinding;
class CKQ70Doc;
class UserPrompt;

// What the error window of an import shows: a summary line naming the file, and one row per
// error (its line, empty for the file as a whole; its column or row caption; the reason).
struct CsvImportErrorList {
    using Row = std::array<std::string, 3>;

    std::string title;
    std::string summary;
    std::vector<Row> rows;

    static const std::array<std::string_view, 3>& Headers();
    static CsvImportErrorList From(const std::string& csvPath,
                                   const std::vector<CsvImportError>& errors);
};

// File > Import from CSV: the document's image takes a CSV file in the layout Export to CSV
// writes, as one step Edit > Undo takes back. Programmed channels the file does not list are
// made unused only when the user says so; a file with any error changes nothing, and its
// errors go to the error window.
class CsvImportCommand {
public:
    // Renders the errors of a refused file; the command has already decided to change nothing.
    using ErrorWindow = std::function<void(const CsvImportErrorList&)>;

    CsvImportCommand(CKQ70Doc& doc, const AccessMode& accessMode, UserPrompt& prompt,
                     ChannelViewBinding& view);

    // Asks for the CSV file, then imports it. True when the document took the file.
    bool OnFileImportCsv(const ErrorWindow& showErrors);
    bool ImportFile(const std::string& csvPath, const ErrorWindow& showErrors);

private:
    CKQ70Doc& m_doc;
    const AccessMode& m_accessMode;
    UserPrompt& m_prompt;
    ChannelViewBinding& m_view;
};

} // namespace kq70
