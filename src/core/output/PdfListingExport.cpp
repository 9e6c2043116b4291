#include "output/PdfListingExport.h"

#include "doc/CKQ70Doc.h"
#include "log/HLogPrint.h"
#include "ui/StrPrintf.h"
#include "ui/Strings.h"
#include "ui/UserPrompt.h"

#include <optional>

namespace kq70 {

PdfListingExport::PdfListingExport(UserPrompt& prompt, Render render)
    : m_prompt(prompt), m_render(std::move(render)) {}

std::string PdfListingExport::suggestedPath(const CKQ70Doc& doc) {
    if (doc.IsUntitled() || doc.GetCurrentFilePath().empty()) {
        return {};
    }
    std::string path = doc.GetCurrentFilePath();
    const std::size_t slash = path.rfind('/');
    const std::size_t dot = path.rfind('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash + 1)) {
        path.erase(dot);
    }
    return path + ".pdf";
}

PdfListingExport::Result PdfListingExport::run(const CKQ70Doc& doc) {
    FileDialogRequest request{"pdf", std::string(text::PDF_FILE_FILTER), suggestedPath(doc)};
    request.overwritePrompt = true;
    const std::optional<std::string> chosen = m_prompt.saveFileDialog(request);
    if (!chosen) {
        return Result::Cancelled;
    }
    return writeTo(*chosen);
}

PdfListingExport::Result PdfListingExport::writeTo(const std::string& path) {
    const std::vector<std::uint8_t> bytes = m_render();
    AtomicWriteResult written = AtomicWriteResult::WriteFailed;
    if (!bytes.empty()) {
        written = writeFileAtomically(path, bytes, m_hooks);
    }
    KQ70_LOG(LOG_D1, 0, "PdfListingExport::writeTo(%s) %zu bytes, result %d", path.c_str(),
             bytes.size(), static_cast<int>(written));
    switch (written) {
    case AtomicWriteResult::Ok:
        return Result::Written;
    case AtomicWriteResult::CannotCreate:
    case AtomicWriteResult::NotARegularFile:
        m_prompt.message(substitute1(Strings::get(IDS_PROBLEM_OPENING_FILE_FOR_WRITING), path),
                         MessageIcon::Stop);
        return Result::Failed;
    case AtomicWriteResult::ReadOnly:
        m_prompt.message(substitute1(Strings::get(IDS_FILE_READ_ONLY), path), MessageIcon::Stop);
        return Result::Failed;
    case AtomicWriteResult::WriteFailed:
        break;
    }
    m_prompt.message(Strings::get(IDS_PROBLEM_WRITING_FILE), MessageIcon::Stop);
    return Result::Failed;
}

} // namespace kq70
