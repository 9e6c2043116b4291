#pragma once

#include "ui/UserPrompt.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <span>
#include <string>
#include <unistd.h>

namespace kq70::fuzz {

// A person who answers OK and cancels every entry, so a target never waits.
class SilentPrompt : public UserPrompt {
public:
    MessageAnswer messageBox(std::string_view, std::string_view, MessageButtons buttons,
                             MessageIcon) override {
        return buttons == MessageButtons::Ok || buttons == MessageButtons::OkCancel
                   ? MessageAnswer::Ok
                   : MessageAnswer::No;
    }
    std::optional<std::string> openFileDialog(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> saveFileDialog(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> passwordEntry() override { return {}; }
};

// A scratch file of this process under the temporary folder, rewritten for every input.
inline std::string scratchPath(const char* name) {
    const char* folder = std::getenv("TMPDIR");
    return std::string(folder != nullptr && *folder != '\0' ? folder : "/tmp") + "/kq70-fuzz-" +
           std::to_string(::getpid()) + "-" + name;
}

inline void writeScratch(const std::string& path, std::span<const std::uint8_t> bytes) {
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) {
        std::abort();
    }
    if (!bytes.empty()) {
        std::fwrite(bytes.data(), 1, bytes.size(), out);
    }
    std::fclose(out);
}

// Stops the run with a message: libFuzzer keeps the input as a finding.
[[noreturn]] inline void fail(const char* what) {
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

} // namespace kq70::fuzz
