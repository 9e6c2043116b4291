#include "doc/DataFile.h"

#include "doc/DefaultTemplates.h"
#include "image/RadioImage.h"
#include "log/HLogPrint.h"
#include "platform/FilePaths.h"
#include "platform/RegularFile.h"
#include "ui/StrPrintf.h"
#include "ui/Strings.h"
#include "ui/UserPrompt.h"

#include <algorithm>
#include <array>
#include <sys/stat.h>
#include <vector>

namespace kq70 {

namespace {

void showWithPath(UserPrompt& prompt, int id, std::string_view path) {
    prompt.message(substitute1(Strings::get(id), path), MessageIcon::Stop);
}

} // namespace

int CheckReadable(const std::string& path) {
    if (path.empty()) {
        return DATA_FILE_CANNOT_OPEN;
    }
    RegularFile file = RegularFile::openForReading(path);
    if (!file.isOpen()) {
        return DATA_FILE_CANNOT_OPEN;
    }
    std::array<std::uint8_t, 1> probe{};
    return file.readUpTo(probe) == 1 ? DATA_FILE_OK : DATA_FILE_CANNOT_READ;
}

int CheckDataFile(const std::string& path, std::size_t expectedSize) {
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0) {
        return DATA_FILE_CANNOT_OPEN;
    }
    const auto size = static_cast<std::size_t>(info.st_size);
    if (size != expectedSize && size + (IMAGE_SIZE - LEGACY_FILE_SIZE) != expectedSize) {
        return DATA_FILE_BAD_SIZE;
    }
    return CheckReadable(path);
}

ImageFileRead readImageFile(const std::string& path, RadioImage& image,
                            std::vector<std::uint8_t>* bytesRead) {
    // A FIFO, a device or a folder in the file's place is refused without waiting on it.
    RegularFile file = RegularFile::openForReading(path);
    if (!file.isOpen()) {
        return ImageFileRead::CannotOpen;
    }
    // Any size but the two layouts is refused before a byte reaches the image.
    std::vector<std::uint8_t> scratch(IMAGE_SIZE + 1);
    const long long count = file.readUpTo(scratch);
    if (count != static_cast<long long>(IMAGE_SIZE) &&
        count != static_cast<long long>(LEGACY_FILE_SIZE)) {
        return ImageFileRead::CannotRead;
    }
    std::copy_n(scratch.begin(), count, image.data());
    if (bytesRead != nullptr) {
        scratch.resize(count);
        *bytesRead = std::move(scratch);
    }
    return ImageFileRead::Ok;
}

bool ReadDataFile(const std::string& path, RadioImage& image, UserPrompt& prompt,
                  std::vector<std::uint8_t>* bytesRead) {
    KQ70_LOG(LOG_D1, 0, "ReadDataFile(%s)", path.c_str());
    switch (readImageFile(path, image, bytesRead)) {
    case ImageFileRead::Ok:
        return true;
    case ImageFileRead::CannotOpen:
        showWithPath(prompt, IDS_PROBLEM_OPENING_FILE, path);
        return false;
    case ImageFileRead::CannotRead:
        break;
    }
    showWithPath(prompt, IDS_PROBLEM_READING_FILE, path);
    return false;
}

bool WriteDataFile(const std::string& path, const RadioImage& image, UserPrompt& prompt,
                   const FileWriteHooks& hooks) {
    KQ70_LOG(LOG_D1, 0, "WriteDataFile(%s)", path.c_str());
    if (path.empty()) {
        showWithPath(prompt, IDS_PROBLEM_OPENING_FILE_FOR_WRITING, path);
        return false;
    }
    switch (writeFileAtomically(path, image.bytes(), hooks)) {
    case AtomicWriteResult::Ok:
        return true;
    case AtomicWriteResult::CannotCreate:
    case AtomicWriteResult::NotARegularFile:
        showWithPath(prompt, IDS_PROBLEM_OPENING_FILE_FOR_WRITING, path);
        return false;
    case AtomicWriteResult::ReadOnly:
        showWithPath(prompt, IDS_FILE_READ_ONLY, path);
        return false;
    case AtomicWriteResult::WriteFailed:
        break;
    }
    prompt.message(Strings::get(IDS_PROBLEM_WRITING_FILE), MessageIcon::Stop);
    return false;
}

bool CheckWritable(const std::string& path, UserPrompt& prompt) {
    if (!isReadOnlyFile(path)) {
        return true;
    }
    prompt.message(substitute1(Strings::get(IDS_FILE_READ_ONLY), path), MessageIcon::Stop);
    return false;
}

FileDialogRequest dataFileDialog(const std::string& initialPath) {
    return FileDialogRequest{"K70", std::string(text::DATA_FILE_FILTER), initialPath};
}

bool HasDataFileExtension(std::string_view path) {
    constexpr std::array<std::string_view, 4> extensions{".W70", ".K70", ".w70", ".k70"};
    if (path.size() < 4) {
        return false;
    }
    const std::string_view last = path.substr(path.size() - 4);
    return std::find(extensions.begin(), extensions.end(), last) != extensions.end();
}

bool IsDefaultFileName(std::string_view path) {
    const std::size_t slash = path.find_last_of('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    return std::find(TEMPLATE_NAMES.begin(), TEMPLATE_NAMES.end(), name) != TEMPLATE_NAMES.end();
}

int OpenCheckStatus(const std::string& path) {
    if (!HasDataFileExtension(path)) {
        return DATA_FILE_CANNOT_OPEN;
    }
    return CheckDataFile(path, IMAGE_SIZE);
}

int OpenStatusMessageId(int status) {
    switch (status) {
    case DATA_FILE_CANNOT_OPEN:
        return IDS_PROBLEM_OPENING_FILE;
    case DATA_FILE_CANNOT_READ:
        return IDS_PROBLEM_READING_FILE;
    case DATA_FILE_BAD_SIZE:
        return IDS_FILE_FORMAT_INVALID;
    default:
        return 0;
    }
}

void ShowOpenStatusMessage(int status, const std::string& path, UserPrompt& prompt) {
    const int id = OpenStatusMessageId(status);
    if (id != 0) {
        showWithPath(prompt, id, path);
    }
}

} // namespace kq70
