#pragma once

#include "platform/AtomicFile.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kq70 {

class RadioImage;
class UserPrompt;
struct FileDialogRequest;

// Data files are the radio memory image written out byte for byte: 10787 bytes, or 10768 in
// the older layout without the trailer extension.

// Results of CheckDataFile and of the File > Open check.
enum DataFileStatus : int {
    DATA_FILE_OK = 0,
    DATA_FILE_CANNOT_OPEN = 1, // no status, cannot be opened, empty path, wrong extension
    DATA_FILE_CANNOT_READ = 2, // not one byte can be read
    DATA_FILE_BAD_SIZE = 3,    // neither 10787 nor 10768 bytes
};

enum class ImageFileRead { Ok, CannotOpen, CannotRead };

// Reads a data file into `image` without a word to the user; the image is touched only when
// the whole file was read.
// `bytesRead`, when given, receives the file's bytes exactly as they were read.
ImageFileRead readImageFile(const std::string& path, RadioImage& image,
                            std::vector<std::uint8_t>* bytesRead = nullptr);

// Reads a data file into `image`. The file is read into a scratch buffer first, so a failure
// (message 32 or 34) leaves the image exactly as it was. A 10768-byte file keeps image bytes
// 0x2A10–0x2A22.
bool ReadDataFile(const std::string& path, RadioImage& image, UserPrompt& prompt,
                  std::vector<std::uint8_t>* bytesRead = nullptr);

// Writes the whole image to `path` without truncating the old file first (temporary file,
// flush, rename). A failure shows message 35 (cannot create) or 33 (cannot write) and leaves
// the old file intact. The caller clears its modified flag on success.
[[nodiscard]] bool WriteDataFile(const std::string& path, const RadioImage& image,
                                 UserPrompt& prompt, const FileWriteHooks& hooks = {});

int CheckDataFile(const std::string& path, std::size_t expectedSize);
// 0 readable, 1 cannot open (or empty path), 2 cannot read one byte.
int CheckReadable(const std::string& path);
// True when the file is missing or may be written; a read-only file shows message 49.
bool CheckWritable(const std::string& path, UserPrompt& prompt);

// The file chooser of the data files, opening at `initialPath`.
FileDialogRequest dataFileDialog(const std::string& initialPath = {});

// True for the last four characters ".W70", ".K70", ".w70" or ".k70" exactly.
bool HasDataFileExtension(std::string_view path);
// True when the file name (folder ignored) is one of the template names, case-sensitively.
bool IsDefaultFileName(std::string_view path);

// File > Open's check of a chosen path: the extension test, then CheckDataFile.
int OpenCheckStatus(const std::string& path);
// The message id for an Open status (32, 34 or 37); 0 for DATA_FILE_OK.
int OpenStatusMessageId(int status);
// Shows the message of a failed Open check with the path filled in.
void ShowOpenStatusMessage(int status, const std::string& path, UserPrompt& prompt);

} // namespace kq70
