#include "output/CsvImport.h"

#include "app/AccessMode.h"
#include "doc/CKQ70Doc.h"
#include "output/CsvChannelEditor.h"
#include "output/CsvImportPrompt.h"
#include "output/CsvPageImport.h"
#include "output/CsvReader.h"
#include "output/ParameterListing.h"
#include "pages/HDirectChDialog.h"
#include "pages/HHardwareDialog.h"
#include "pages/HKeyFuncDialog.h"
#include "pages/HMiscDialog.h"
#include "pages/HPowerSaveDialog.h"
#include "pages/HScanningDialog.h"
#include "ui/Strings.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <memory>
#include <sys/stat.h>

namespace kq70 {

namespace {

constexpr std::string_view BANNER_MARK = "***";

// The parameter sections an export can hold, each with its page.
constexpr std::array<std::string_view, 6> PAGE_SECTIONS = {
    text::CSV_HARDWARE,     text::CSV_SCAN,          text::CSV_POWER_SAVING,
    text::CSV_KEY_FUNCTION, text::CSV_MISCELLANEOUS, text::CSV_DIRECT_CH};

std::unique_ptr<HDialog> makePage(std::string_view section, CKQ70Doc& doc, int accessMode,
                                  UserPrompt& prompt) {
    RadioImage& image = doc.GetMainMemory();
    if (section == text::CSV_HARDWARE) {
        return std::make_unique<HHardwareDialog>(doc, accessMode, prompt);
    }
    if (section == text::CSV_SCAN) {
        return std::make_unique<HScanningDialog>(image, accessMode);
    }
    if (section == text::CSV_POWER_SAVING) {
        return std::make_unique<HPowerSaveDialog>(image, accessMode);
    }
    if (section == text::CSV_KEY_FUNCTION) {
        return std::make_unique<HKeyFuncDialog>(image, accessMode);
    }
    if (section == text::CSV_MISCELLANEOUS) {
        return std::make_unique<HMiscDialog>(image, accessMode);
    }
    return std::make_unique<HDirectChDialog>(image, accessMode);
}

bool isBanner(std::string_view cell) {
    return cell.size() > 2 * BANNER_MARK.size() && cell.starts_with(BANNER_MARK) &&
           cell.ends_with(BANNER_MARK);
}

// One import over a scratch document: the rows are taken in file order, each section applied
// when the next one begins.
class ImportRun {
public:
    ImportRun(const RadioImage& image, int accessMode, std::vector<CsvImportError>& errors)
        : m_accessMode(accessMode), m_errors(errors) {
        m_doc.GetMainMemory() = image;
        m_editor = std::make_unique<CsvChannelEditor>(m_doc.GetMainMemory(), accessMode, m_prompt);
        m_editor->showEveryGroup();
        const ParameterListing listing(m_doc, accessMode, m_prompt);
        for (const ParameterListing::Section& section : listing.csvSections()) {
            m_exportedSections.push_back(section.title);
        }
        for (const ParameterListing::Item& item : listing.marketingItems()) {
            m_titleCaptions.push_back(item.caption);
        }
        m_titleCaptions.emplace_back(text::CSV_FILE_NAME);
    }

    void read(const std::vector<CsvRow>& rows, UnlistedChannels unlisted) {
        m_unlisted = unlisted;
        for (const CsvRow& row : rows) {
            take(row);
        }
        finishSection();
        if (!m_sawSection) {
            m_errors.push_back({0, {}, std::string(text::CSV_IMPORT_NO_SECTION)});
        }
        m_editor->commit();
    }

    const RadioImage& image() const { return m_doc.GetMainMemory(); }
    bool hardwareEdited() const { return m_doc.GetHardwareEdited(); }
    const std::vector<int>& unlistedChannels() const { return m_unlistedChannels; }

private:
    enum class Place { Title, Page, Skipped, Channels };

    void take(const CsvRow& row) {
        if (row.blank()) {
            return;
        }
        const std::string first = trimmed(row.cell(0));
        if (first == text::CSV_TITLE) {
            return;
        }
        if (isBanner(first)) {
            finishSection();
            startSection(first, row.line);
            return;
        }
        switch (m_place) {
        case Place::Title:
            if (std::find(m_titleCaptions.begin(), m_titleCaptions.end(), first) ==
                m_titleCaptions.end()) {
                m_errors.push_back({row.line, {}, std::string(text::CSV_IMPORT_OUTSIDE_SECTION)});
            }
            break;
        case Place::Page:
            m_pageRows.push_back(row);
            break;
        case Place::Channels:
            m_channels->addRow(row);
            break;
        case Place::Skipped:
            break;
        }
    }

    void startSection(const std::string& title, int line) {
        m_place = Place::Skipped;
        m_bannerLine = line;
        const auto known = std::find(PAGE_SECTIONS.begin(), PAGE_SECTIONS.end(), title);
        const bool exported = std::find(m_exportedSections.begin(), m_exportedSections.end(),
                                        title) != m_exportedSections.end();
        if (title == text::CSV_CHANNEL_DATA) {
            m_sawSection = true;
            m_place = Place::Channels;
            m_editor->commit();
            m_channels = std::make_unique<CsvChannelImport>(*m_editor, m_doc.GetMainMemory(),
                                                            m_accessMode, line, m_errors);
        } else if (exported && known != PAGE_SECTIONS.end()) {
            m_sawSection = true;
            m_place = Place::Page;
            m_section = *known;
            m_pageRows.clear();
        } else if (title == text::CSV_HARDWARE) {
            m_sawSection = true; // what the manufacture mode shows is read and passed over
        } else {
            m_errors.push_back(
                {line,
                 {},
                 std::string(known != PAGE_SECTIONS.end() ? text::CSV_IMPORT_NO_PAGE
                                                          : text::CSV_IMPORT_UNKNOWN_SECTION)});
        }
    }

    void finishSection() {
        if (m_place == Place::Page) {
            applyPage();
        } else if (m_place == Place::Channels) {
            m_unlistedChannels = m_channels->apply(m_unlisted);
            m_channels.reset();
        }
        m_place = Place::Skipped;
    }

    // The page opened over the grid's latest data, set, closed with OK and opened again to
    // see that it kept the values; the grid then shows what the page stored.
    void applyPage() {
        m_editor->commit();
        const std::unique_ptr<HDialog> page = makePage(m_section, m_doc, m_accessMode, m_prompt);
        page->OnInitDialog();
        CsvPageImport import(*page, m_errors);
        if (import.set(m_pageRows)) {
            m_prompt.forget();
            if (page->OnOK()) {
                const std::unique_ptr<HDialog> reopened =
                    makePage(m_section, m_doc, m_accessMode, m_prompt);
                reopened->OnInitDialog();
                import.verify(*reopened);
            } else {
                m_errors.push_back({m_bannerLine,
                                    {},
                                    m_prompt.lastMessage().empty()
                                        ? std::string(text::CSV_IMPORT_PAGE_REFUSED)
                                        : m_prompt.lastMessage()});
            }
        }
        m_editor->reload();
    }

    int m_accessMode;
    std::vector<CsvImportError>& m_errors;
    CKQ70Doc m_doc;
    CsvImportPrompt m_prompt;
    std::unique_ptr<CsvChannelEditor> m_editor;
    std::vector<std::string_view> m_exportedSections;
    std::vector<std::string> m_titleCaptions;
    UnlistedChannels m_unlisted = UnlistedChannels::Keep;

    Place m_place = Place::Title;
    bool m_sawSection = false;
    int m_bannerLine = 0;
    std::string_view m_section;
    std::vector<CsvRow> m_pageRows;
    std::unique_ptr<CsvChannelImport> m_channels;
    std::vector<int> m_unlistedChannels;
};

} // namespace

CsvImport::CsvImport(int accessMode, UnlistedChannels unlisted)
    : m_accessMode(accessMode), m_unlisted(unlisted) {}

CsvImportResult CsvImport::importText(const RadioImage& image, std::string_view text) const {
    CsvImportResult result;
    const auto run = std::make_unique<ImportRun>(image, m_accessMode, result.errors);
    run->read(CsvReader::rows(text), m_unlisted);
    // Found while reading or while applying: the list reads top to bottom.
    std::stable_sort(
        result.errors.begin(), result.errors.end(),
        [](const CsvImportError& a, const CsvImportError& b) { return a.line < b.line; });
    if (result.ok()) {
        result.image = run->image();
        result.unlistedChannels = run->unlistedChannels();
        result.hardwareEdited = run->hardwareEdited();
    } else {
        result.image = image;
    }
    return result;
}

CsvImportResult CsvImport::importFile(const RadioImage& image, const std::string& path) const {
    std::string text;
    if (const auto refused = readFile(path, text)) {
        CsvImportResult result;
        result.errors.push_back(*refused);
        result.image = image;
        return result;
    }
    return importText(image, text);
}

std::optional<CsvImportError> CsvImport::readFile(const std::string& path, std::string& text) {
    const auto refused = [](std::string_view reason) {
        return CsvImportError{0, {}, std::string(reason)};
    };
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return refused(text::CSV_IMPORT_UNREADABLE);
    }
    if (!S_ISREG(info.st_mode)) {
        return refused(text::CSV_IMPORT_NOT_REGULAR);
    }
    if (static_cast<unsigned long long>(info.st_size) > MAX_FILE_SIZE) {
        return refused(text::CSV_IMPORT_TOO_LARGE);
    }
    std::ifstream in(path, std::ios::binary);
    text.assign(MAX_FILE_SIZE + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad() || (!in.eof() && in.fail())) {
        return refused(text::CSV_IMPORT_UNREADABLE);
    }
    text.resize(static_cast<std::size_t>(in.gcount()));
    // A file that grew past the limit since it was looked at is refused the same way.
    if (text.size() > MAX_FILE_SIZE) {
        return refused(text::CSV_IMPORT_TOO_LARGE);
    }
    if (!CsvReader::isText(CsvReader::withoutByteOrderMark(text))) {
        return refused(text::CSV_IMPORT_NOT_TEXT);
    }
    return std::nullopt;
}

} // namespace kq70
