#include "DocumentCommandsCli.h"

#include "DocumentSummary.h"
#include "JsonDocument.h"
#include "JsonPatch.h"
#include "OutputGuard.h"
#include "app/AppSettings.h"
#include "app/ProgramFolder.h"
#include "doc/CKQ70Doc.h"
#include "doc/DataFile.h"
#include "doc/DefaultImages.h"
#include "doc/DefaultTemplates.h"
#include "doc/DocumentObjects.h"
#include "frame/DocumentCommands.h"
#include "platform/FileLock.h"
#include "platform/IniFile.h"
#include "platform/RegularFile.h"
#include "ui/UserPrompt.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <chrono>
#include <memory>
#include <ostream>
#include <sstream>
#include <sys/stat.h>

namespace kq70 {

namespace {

constexpr int SHOW_JSON_INDENT = 2;
constexpr std::size_t MAX_PATCH_SIZE = 16 * 1024 * 1024;
// How long apply waits for another program that is changing the same file.
constexpr std::chrono::milliseconds APPLY_LOCK_WAIT(10000);

constexpr const char* NEW_HELP =
    "The band's template in the program folder is used when it exists; otherwise the "
    "built-in image is stamped for the band and written there as the band's template, as "
    "the program does for File > New.";

constexpr const char* APPLY_HELP = R"(PATCH is one JSON object with the keys of `show --json`:
  values by index, as objects:  "hardware", "globals", "scan", "keyFunction", "powerSaving",
    "miscellaneous", "marketing": {"6": 3};  "directCh": {"0": [group, channel]};
    "adjustment", "shippingDefault": {"items": {"20": 128}} (the checksum is recomputed)
  lists of objects naming their "index" (counted from 0):
    "channels": [{"index": 3, "rxFrequency": 446006250, "txToneMode": 1, "txToneCode": 670}]
    "groups": [{"index": 1, "count": 5, "scan": true, "tag": "SITE B"}]
    "paging": [{"index": 0, "code": "123", "action": 1}]
  "programmingPassword": {"enabled": true, "password": "1234AB"}
The whole patch is checked first, and nothing is written when any part is refused:
  an unknown or shown-only key, a wrong type, an index out of range;
  a text longer than its field or with characters the radio cannot show;
  a key given twice in one object; text that is not JSON (said with its line and column);
  a tone code not in the table of its tone mode (CTCSS in 0.1 Hz, DCS as the value of its
    octal digits); a frequency outside the radio's range (hardware 15-16);
  any value that would not read back exactly as given once stored: a number too wide or
    negative for its field, a frequency off the channel steps or beyond 436-456 MHz, a
    value the store works out itself (PLL words, step indices, tone on/DCS bits, signal
    number, and the alignment bytes unless "keepAlignment": 1 is given with them);
  any value the patch does not name that storing it would change (a new Channel Step
    moves frequencies off its steps: name the new frequencies with it), listed.
Hardware 13 and 14 are in their stored units (40 kHz, 5 kHz), 15 and 16 in Hz.
Only the parts the patch names are stored (hardware first, channel data last, which is
stored again when the hardware, paging codes or adjustment items change, so frequencies
keep their hertz values); every other byte stays as it was. What the radio works out
itself follows at once, so applying the result again changes nothing. The file is
written whole, in the 10787-byte layout.)";

long long sizeOfFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? static_cast<long long>(info.st_size) : -1;
}

bool fileExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

// File > Open's checks and the read.
bool readDocument(const std::string& path, RadioImage& image, UserPrompt& prompt) {
    const int status = OpenCheckStatus(path);
    if (status != DATA_FILE_OK) {
        ShowOpenStatusMessage(status, path, prompt);
        return false;
    }
    return ReadDataFile(path, image, prompt);
}

// Reads a patch file whole. Only a regular file of sensible size is read: a device would
// be read until memory runs out and a FIFO could keep the command waiting for ever.
std::optional<std::string> readPatchText(const std::string& path, std::ostream& err) {
    std::string text;
    switch (readRegularFile(path, MAX_PATCH_SIZE, text)) {
    case FileReadStatus::Ok:
        return text;
    case FileReadStatus::NotRegular:
        err << "kq70-cli: the patch " << path << " is not a regular file; nothing was written\n";
        return std::nullopt;
    case FileReadStatus::TooLarge:
        err << "kq70-cli: the patch " << path << " is larger than 16 MB; nothing was written\n";
        return std::nullopt;
    default:
        err << "kq70-cli: cannot read the patch " << path << "; nothing was written\n";
        return std::nullopt;
    }
}

bool hasDataFileName(const std::string& path, const char* what, std::ostream& err) {
    if (HasDataFileExtension(path)) {
        return true;
    }
    err << "kq70-cli: " << what << " " << path << " must end in .k70\n";
    return false;
}

// Reads a patch; a text that is not JSON is reported with its place in the file.
std::optional<JsonPatch> readPatch(const std::string& path, std::ostream& err) {
    const auto text = readPatchText(path, err);
    if (!text) {
        return std::nullopt;
    }
    JsonPatch patch = JsonPatch::fromText(*text);
    if (patch.syntaxError()) {
        err << "kq70-cli: " << path << ": " << *patch.syntaxError() << "; nothing was written\n";
        return std::nullopt;
    }
    return patch;
}

// Making a new document also keeps the band's template in the program folder, a convenience
// for the next time: what goes wrong there (a folder that cannot be written, a template that
// cannot be read) is told as a one-line warning, and the new document is written all the same.
class TemplateNotices : public UserPrompt {
public:
    TemplateNotices(UserPrompt& prompt, std::ostream& err) : m_prompt(prompt), m_err(err) {}

    MessageAnswer messageBox(std::string_view text, std::string_view caption,
                             MessageButtons buttons, MessageIcon icon) override {
        if (buttons != MessageButtons::Ok) {
            return m_prompt.messageBox(text, caption, buttons, icon);
        }
        std::string line(text);
        std::replace(line.begin(), line.end(), '\r', ' ');
        std::replace(line.begin(), line.end(), '\n', ' ');
        line.erase(std::unique(line.begin(), line.end(),
                               [](char a, char b) { return a == ' ' && b == ' '; }),
                   line.end());
        m_err << "kq70-cli: warning: " << line << " (the band's template is left as it was)\n";
        return MessageAnswer::Ok;
    }
    std::optional<std::string> openFileDialog(const FileDialogRequest& request) override {
        return m_prompt.openFileDialog(request);
    }
    std::optional<std::string> saveFileDialog(const FileDialogRequest& request) override {
        return m_prompt.saveFileDialog(request);
    }
    std::optional<std::string> passwordEntry() override { return m_prompt.passwordEntry(); }

private:
    UserPrompt& m_prompt;
    std::ostream& m_err;
};

} // namespace

DocumentCommandsCli::DocumentCommandsCli(CLI::App& app) : m_band(PMR446_BAND) {
    m_new = app.add_subcommand("new", "Write a new document as the program makes one");
    m_new->add_option("--band", m_band, "Band: 0 1 4 5 6 8 9 12, 13 for any template (12)")
        ->check(CLI::Range(0, LOAD_ANY_TEMPLATE));
    m_new->add_option("--lcd", m_lcd, "Display type 0 or 1, applied as at start-up")
        ->check(CLI::Range(0, 1));
    m_new->add_flag("--force", m_force, "Replace the file when it exists");
    m_new->add_option("out", m_newPath, "The new data file (.k70)")->required();
    m_new->footer(NEW_HELP);

    m_show = app.add_subcommand("show", "Show a data file: a summary, or every value as JSON");
    m_show->add_option("file", m_showPath, "Data file (.k70)")->required();
    m_show->add_flag("--json", m_json, "Every value the editors see, as one JSON object");

    m_apply = app.add_subcommand("apply", "Set values of a data file from a JSON patch");
    m_apply->add_option("file", m_applyPath, "Data file (.k70)")->required();
    m_apply->add_option("patch", m_patchPath, "JSON patch")->required();
    m_apply->add_option("-o,--output", m_outputPath, "Write the result here, not over FILE");
    m_apply->footer(APPLY_HELP);
}

bool DocumentCommandsCli::parsed() const {
    return m_new->parsed() || m_show->parsed() || m_apply->parsed();
}

int DocumentCommandsCli::run(const std::optional<std::string>& home, std::ostream& out,
                             std::ostream& err, UserPrompt& prompt) const {
    // The JSON library and allocation may throw; nothing half-done is left behind, since
    // files are only ever written whole at the end.
    try {
        if (m_new->parsed()) {
            const std::string folder =
                resolveProgramFolder(programFolderInputsFromEnvironment(home));
            return runNew(folder, out, err, prompt);
        }
        if (m_show->parsed()) {
            return runShow(out, err, prompt);
        }
        return runApply(out, err, prompt);
    } catch (const std::exception& error) {
        err << "kq70-cli: " << error.what() << '\n';
        return 1;
    }
}

int DocumentCommandsCli::runNew(const std::string& programFolder, std::ostream& out,
                                std::ostream& err, UserPrompt& prompt) const {
    if (!hasDataFileName(m_newPath, "the new file", err)) {
        return 1;
    }
    if (m_band != LOAD_ANY_TEMPLATE && !isDefinedBand(m_band)) {
        err << "kq70-cli: band " << m_band
            << " is not defined; use 0, 1, 4, 5, 6, 8, 9, 12 or 13\n";
        return 1;
    }
    if (fileExists(m_newPath) && !m_force) {
        err << "kq70-cli: " << m_newPath << " exists; give --force to replace it\n";
        return 1;
    }
    CKQ70Doc doc;
    AppSettings settings;
    // `new` reads and writes nothing in it.
    IniFile settingsFile(joinPath(programFolder, SETTINGS_FILE_NAME));
    DocumentListener listener;
    TemplateNotices notices(prompt, err);
    DocumentCommands commands(doc, notices, programFolder, settings, settingsFile,
                              BuildDefaultImage, listener);
    commands.NewDocumentWith(NO_FILE_MARKER, m_band);
    if (m_lcd) {
        commands.ApplyLcdType(*m_lcd);
    }
    if (!WriteDataFile(m_newPath, doc.GetMainMemory(), prompt)) {
        return 1;
    }
    out << "Wrote " << m_newPath << " (" << sizeOfFile(m_newPath) << " bytes)\n";
    return 0;
}

int DocumentCommandsCli::runShow(std::ostream& out, std::ostream& err, UserPrompt& prompt) const {
    CKQ70Doc doc;
    if (!standardOutputIsNoInput(out, m_showPath, err) ||
        !readDocument(m_showPath, doc.GetMainMemory(), prompt)) {
        return 1;
    }
    const auto objects = std::make_unique<DocumentObjects>();
    objects->extract(doc.GetMainMemory());
    const long long size = sizeOfFile(m_showPath);
    if (m_json) {
        out << documentJson(*objects, doc.GetMainMemory(), size)
                   .dump(SHOW_JSON_INDENT, ' ', false, nlohmann::json::error_handler_t::replace)
            << '\n';
    } else {
        out << documentSummary(doc, *objects, m_showPath, size, prompt);
    }
    return 0;
}

int DocumentCommandsCli::runApply(std::ostream& out, std::ostream& err, UserPrompt& prompt) const {
    const std::string target = m_outputPath.value_or(m_applyPath);
    if (m_outputPath && (!hasDataFileName(*m_outputPath, "the output file", err) ||
                         !outputIsNoInput(*m_outputPath, {m_patchPath}, err))) {
        return 1;
    }
    // Read, change and write back under the file's lock: another apply (or the desktop's
    // save) of the same file waits its turn instead of one change overwriting the other.
    const FileLock lock = FileLock::acquire(m_applyPath, APPLY_LOCK_WAIT);
    if (lock.result() == FileLock::Result::Busy) {
        err << "kq70-cli: " << m_applyPath
            << " is being changed by another program; nothing was written\n";
        return 1;
    }
    RadioImage image;
    if (!readDocument(m_applyPath, image, prompt)) {
        return 1;
    }
    const auto patch = readPatch(m_patchPath, err);
    if (!patch) {
        return 1;
    }
    const std::vector<std::string> refused = patch->apply(image);
    if (!refused.empty()) {
        for (const std::string& reason : refused) {
            err << "kq70-cli: " << m_patchPath << ": " << reason << '\n';
        }
        err << "kq70-cli: the patch was refused; nothing was written\n";
        return 1;
    }
    if (!CheckWritable(target, prompt) || !WriteDataFile(target, image, prompt)) {
        return 1;
    }
    out << "Wrote " << target << '\n';
    return 0;
}

} // namespace kq70
