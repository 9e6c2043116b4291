#include "frame/CsvImportCommand.h"

#include "app/AccessMode.h"
#include "doc/CKQ70Doc.h"
#include "frame/ChannelViewBinding.h"
#include "output/CsvImport.h"
#include "ui/StrPrintf.h"
#include "ui/Strings.h"
#include "ui/UserPrompt.h"

namespace kq70 {

namespace {

constexpr const char* CSV_EXTENSION = "csv";

} // namespace

const std::array<std::string_view, 3>& CsvImportErrorList::Headers() {
    static constexpr std::array<std::string_view, 3> HEADERS = {text::CSV_IMPORT_HEADER_LINE,
                                                                text::CSV_IMPORT_HEADER_COLUMN,
                                                                text::CSV_IMPORT_HEADER_REASON};
    return HEADERS;
}

CsvImportErrorList CsvImportErrorList::From(const std::string& csvPath,
                                            const std::vector<CsvImportError>& errors) {
    CsvImportErrorList list;
    list.title = std::string(text::CSV_IMPORT_WINDOW_TITLE);
    const int count = static_cast<int>(errors.size());
    list.summary = count == 1
                       ? strprintf(text::CSV_IMPORT_ONE_ERROR.data(), csvPath.c_str())
                       : strprintf(text::CSV_IMPORT_ERRORS_FORMAT.data(), csvPath.c_str(), count);
    for (const CsvImportError& error : errors) {
        list.rows.push_back({error.line > 0 ? std::to_string(error.line) : std::string(),
                             error.column, error.reason});
    }
    return list;
}

CsvImportCommand::CsvImportCommand(CKQ70Doc& doc, const AccessMode& accessMode, UserPrompt& prompt,
                                   ChannelViewBinding& view)
    : m_doc(doc), m_accessMode(accessMode), m_prompt(prompt), m_view(view) {}

bool CsvImportCommand::OnFileImportCsv(const ErrorWindow& showErrors) {
    const auto chosen = m_prompt.openFileDialog(
        FileDialogRequest{CSV_EXTENSION, std::string(text::CSV_FILE_FILTER), {}});
    return chosen && ImportFile(*chosen, showErrors);
}

bool CsvImportCommand::ImportFile(const std::string& csvPath, const ErrorWindow& showErrors) {
    // The grid's own copy of the channels goes into the image first: the import starts from
    // what the user sees.
    m_view.viewSaveData();
    const RadioImage& image = m_doc.GetMainMemory();
    CsvImportResult result =
        CsvImport(m_accessMode.value(), UnlistedChannels::Keep).importFile(image, csvPath);
    if (!result.ok()) {
        showErrors(CsvImportErrorList::From(csvPath, result.errors));
        return false;
    }
    if (!result.unlistedChannels.empty()) {
        const std::string question = strprintf(text::CSV_IMPORT_UNLISTED_QUESTION.data(),
                                               static_cast<int>(result.unlistedChannels.size()));
        const MessageAnswer answer =
            m_prompt.messageBox(question, {}, MessageButtons::YesNoCancel, MessageIcon::Question);
        if (answer == MessageAnswer::Cancel) {
            return false;
        }
        if (answer == MessageAnswer::Yes) {
            result = CsvImport(m_accessMode.value(), UnlistedChannels::Unprogram)
                         .importFile(image, csvPath);
            if (!result.ok()) { // the file changed between the two reads
                showErrors(CsvImportErrorList::From(csvPath, result.errors));
                return false;
            }
        }
    }
    // One step: Undo gives back the image, the modified mark and the edited marks together.
    m_view.runImageStep(std::string(text::STEP_IMPORT_CSV), [&] {
        if (result.image == m_doc.GetMainMemory()) {
            return true;
        }
        m_doc.GetMainMemory() = result.image;
        m_doc.SetDataModified(true);
        if (result.hardwareEdited) {
            m_doc.SetHardwareEdited(true);
        }
        return true;
    });
    return true;
}

} // namespace kq70
