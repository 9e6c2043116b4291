#pragma once

#include <string>
#include <vector>

namespace kq70 {

class CKQ70Doc;
class HCsvFileWriter;
class UserPrompt;

// The CSV export of File > Export to CSV: a title, the radio-wide values page by page and the
// channel table, all with the texts the pages and the channel grid show in the access mode.
class HKQ70Output {
public:
    enum class ExportResult { Written, Cancelled, Failed };

    // `fileName` is the document's path; the title row names it without the folder.
    HKQ70Output(CKQ70Doc& doc, int accessMode, std::string fileName, UserPrompt& prompt);

    // Writes every section; false at the first row that could not be written.
    bool output(HCsvFileWriter& writer);

    // The whole command: opens the writer (its save dialog when it has one), writes, and puts
    // the file in place only when everything was written. A cancelled dialog ends quietly; an
    // open failure shows message 35 with the path, a write failure message 33.
    ExportResult exportTo(HCsvFileWriter& writer);

private:
    bool writeTitle(HCsvFileWriter& writer);
    bool writeParameterSections(HCsvFileWriter& writer);
    bool writeChannelSection(HCsvFileWriter& writer);

    CKQ70Doc& m_doc;
    int m_accessMode;
    std::string m_fileName;
    UserPrompt& m_prompt;
};

} // namespace kq70
