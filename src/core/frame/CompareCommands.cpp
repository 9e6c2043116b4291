#include "frame/CompareCommands.h"

#include "app/AccessMode.h"
#include "doc/CKQ70Doc.h"
#include "doc/DataFile.h"
#include "frame/DocumentListener.h"
#include "frame/RadioCommands.h"
#include "image/RadioImage.h"
#include "ui/StrPrintf.h"
#include "ui/Strings.h"
#include "ui/UserPrompt.h"

#include <algorithm>
#include <memory>

namespace kq70 {

namespace {

std::string fileName(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

CompareCommands::CompareCommands(CKQ70Doc& doc, const AccessMode& accessMode, UserPrompt& prompt,
                                 DocumentListener& view)
    : m_doc(doc), m_accessMode(accessMode), m_prompt(prompt), m_view(view) {}

std::optional<ComparisonResult> CompareCommands::OnFileCompare() {
    const auto chosen = m_prompt.openFileDialog(dataFileDialog());
    if (!chosen) {
        return std::nullopt;
    }
    return CompareWithFile(*chosen);
}

std::optional<ComparisonResult> CompareCommands::CompareWithFile(const std::string& path) {
    const int status = OpenCheckStatus(path);
    if (status != DATA_FILE_OK) {
        ShowOpenStatusMessage(status, path, m_prompt);
        return std::nullopt;
    }
    m_view.viewSaveData();
    // A short file leaves the bytes it lacks as the document has them, so they are not
    // reported as differences the file cannot hold.
    auto other = std::make_unique<RadioImage>(m_doc.GetMainMemory());
    if (!ReadDataFile(path, *other, m_prompt)) {
        return std::nullopt;
    }
    return Compare(*other, fileName(path));
}

std::optional<ComparisonResult> CompareCommands::OnRadioCompare(RadioCommands& radio) {
    auto scratch = std::make_unique<RadioImage>();
    if (radio.UploadForComparison(*scratch) != 0) {
        return std::nullopt;
    }
    ComparisonResult result = Compare(*scratch, std::string(text::COMPARE_RADIO));
    result.scope = text::COMPARE_RADIO_AREAS;
    return result;
}

ComparisonResult CompareCommands::Compare(const RadioImage& other, std::string otherName) const {
    return ComparisonResult{
        std::string(text::COMPARE_THIS_DOCUMENT),
        std::move(otherName),
        ImageComparison::compare(m_doc.GetMainMemory(), other, m_accessMode.value()),
        {}};
}

std::vector<ComparisonTable> CompareCommands::Tables(const ImageComparison& comparison) {
    std::vector<ComparisonTable> tables;
    for (const ComparisonEntry& entry : comparison.entries()) {
        auto table = std::find_if(tables.begin(), tables.end(), [&](const ComparisonTable& t) {
            return t.title == entry.section;
        });
        if (table == tables.end()) {
            tables.push_back({entry.section, {}});
            table = std::prev(tables.end());
        }
        table->rows.push_back(entry);
    }
    return tables;
}

std::string CompareCommands::Summary(const ImageComparison& comparison) {
    if (comparison.equal()) {
        return std::string(text::COMPARE_EQUAL);
    }
    std::string summary;
    const std::size_t values = comparison.entries().size();
    if (values > 0) {
        summary = values == 1
                      ? std::string(text::COMPARE_ONE_VALUE)
                      : strprintf(text::COMPARE_VALUES_FORMAT.data(), static_cast<int>(values));
    }
    const std::size_t bytes = comparison.unshownDifferences();
    if (bytes > 0) {
        summary += summary.empty() ? "" : " ";
        summary += bytes == 1
                       ? std::string(text::COMPARE_ONE_BYTE)
                       : strprintf(text::COMPARE_BYTES_FORMAT.data(), static_cast<int>(bytes));
    }
    return summary;
}

} // namespace kq70
