#include "output/HTextFileWriter.h"

#include "log/HLogPrint.h"
#include "platform/FilePaths.h"
#include "ui/StrPrintf.h"
#include "ui/Strings.h"
#include "ui/UserPrompt.h"

#include <array>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace kq70 {

namespace {

constexpr std::string_view DEFAULT_EXTENSION = ".txt";

// A folder, a device or a pipe is never replaced by an export.
bool isReplaceable(const std::string& target) {
    struct stat info {};
    if (::stat(target.c_str(), &info) != 0) {
        return errno == ENOENT;
    }
    return S_ISREG(info.st_mode);
}

mode_t modeForNewFile(const std::string& target) {
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0) {
        return existing.st_mode & 07777;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// "w" or "a", with an optional "t" or "b"; nothing for any other open type.
std::optional<bool> appendMode(std::string_view openType) {
    if (openType.size() == 2 && (openType[1] == 't' || openType[1] == 'b')) {
        openType.remove_suffix(1);
    }
    if (openType == "w") {
        return false;
    }
    if (openType == "a") {
        return true;
    }
    return std::nullopt;
}

} // namespace

HTextFileWriter::HTextFileWriter(UserPrompt& prompt) : m_prompt(prompt) {
    setSetting(FILE_PATH, "");
    setSetting(FILE_OPEN_TYPE, "w");
    setSetting(DIALOG, DIALOG_ON);
    setSetting(EXTENSION, DEFAULT_EXTENSION);
    setSetting(FILTER, text::TEXT_FILE_FILTER);
}

HTextFileWriter::~HTextFileWriter() {
    discard();
}

bool HTextFileWriter::open() {
    discard();
    setSetting(ERROR_CODE, ERROR_NONE);
    if (getSetting(DIALOG) == DIALOG_ON && !askForPath()) {
        return false;
    }
    const std::optional<bool> append = appendMode(getSetting(FILE_OPEN_TYPE));
    const std::string path = getSetting(FILE_PATH);
    if (!append || path.empty()) {
        return failOpen();
    }
    return startFile(path, *append);
}

bool HTextFileWriter::askForPath() {
    std::string extension = getSetting(EXTENSION);
    if (!extension.empty() && extension.front() == '.') {
        extension.erase(0, 1);
    }
    FileDialogRequest request{extension, getSetting(FILTER), getSetting(FILE_PATH)};
    request.overwritePrompt = true;
    const std::optional<std::string> chosen = m_prompt.saveFileDialog(request);
    if (!chosen) {
        return false;
    }
    setSetting(FILE_PATH, *chosen);
    return true;
}

bool HTextFileWriter::startFile(const std::string& path, bool append) {
    // A link to a file means that file, also when its target is not there yet.
    const std::optional<std::string> target = resolveWriteTarget(path);
    if (!target || !isReplaceable(*target)) {
        return failOpen();
    }
    m_target = *target;
    if (isReadOnlyFile(m_target)) {
        m_prompt.message(substitute1(Strings::get(IDS_FILE_READ_ONLY), path), MessageIcon::Stop);
        setSetting(ERROR_CODE, ERROR_READ_ONLY);
        return false;
    }
    m_temporary = m_target + ".XXXXXX";
    m_fd = ::mkstemp(m_temporary.data());
    if (m_fd < 0) {
        m_temporary.clear();
        return failOpen();
    }
    if (append && !copyExisting()) {
        discard();
        return failOpen();
    }
    KQ70_LOG(LOG_D1, 0, "HTextFileWriter::open(%s)", path.c_str());
    return true;
}

// Appending starts the new file with the old one's contents; a missing file is empty.
bool HTextFileWriter::copyExisting() {
    const int source = ::open(m_target.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (source < 0) {
        return errno == ENOENT;
    }
    std::array<char, 8192> buffer{};
    bool ok = true;
    for (;;) {
        const ssize_t n = ::read(source, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        if (!writeString(std::string_view(buffer.data(), static_cast<std::size_t>(n)))) {
            ok = false;
            break;
        }
    }
    ::close(source);
    return ok;
}

bool HTextFileWriter::writeString(std::string_view text) {
    if (m_fd < 0) {
        return failWrite();
    }
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = m_hooks.write
                              ? m_hooks.write(m_fd, text.data() + done, text.size() - done)
                              : ::write(m_fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return failWrite();
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool HTextFileWriter::close() {
    if (m_fd < 0) {
        return failWrite();
    }
    bool ok = ::fchmod(m_fd, modeForNewFile(m_target)) == 0;
    ok = ok && (m_hooks.sync ? m_hooks.sync(m_fd) : ::fsync(m_fd)) == 0;
    ok = (::close(m_fd) == 0) && ok;
    m_fd = -1;
    ok = ok && ::rename(m_temporary.c_str(), m_target.c_str()) == 0;
    if (!ok) {
        ::unlink(m_temporary.c_str());
        m_temporary.clear();
        return failWrite();
    }
    m_temporary.clear();
    return true;
}

void HTextFileWriter::discard() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temporary.empty()) {
        ::unlink(m_temporary.c_str());
        m_temporary.clear();
    }
}

bool HTextFileWriter::failOpen() {
    KQ70_LOG(LOG_ER, 0, "HTextFileWriter: cannot open [%s]", getSetting(FILE_PATH).c_str());
    setSetting(ERROR_CODE, ERROR_OPEN);
    return false;
}

bool HTextFileWriter::failWrite() {
    KQ70_LOG(LOG_ER, 0, "HTextFileWriter: write failed [%s]", getSetting(FILE_PATH).c_str());
    setSetting(ERROR_CODE, ERROR_WRITE);
    return false;
}

} // namespace kq70
