#pragma once

#include "platform/AtomicFile.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kq70 {

class CKQ70Doc;
class UserPrompt;

// File > Export Listing as PDF: asks for the file's name, has the listing drawn, and puts the
// file in place only when every byte of it was written, so a failed export leaves neither a
// partial file nor a damaged older one.
class PdfListingExport {
public:
    enum class Result { Written, Cancelled, Failed };
    // Draws the listing and returns the PDF's bytes; none when it could not be drawn.
    using Render = std::function<std::vector<std::uint8_t>()>;

    PdfListingExport(UserPrompt& prompt, Render render);

    // The save dialog offers the data file's name with ".pdf" in its folder, or no name for a
    // document that was never saved. A cancelled dialog ends quietly; a file that cannot be
    // made shows message 35 with the path, one that cannot be drawn or written message 33.
    Result run(const CKQ70Doc& doc);
    // Writes to `path` without asking.
    Result writeTo(const std::string& path);

    static std::string suggestedPath(const CKQ70Doc& doc);

    // The system calls used for writing, so a test can make a write fail.
    void setWriteHooks(FileWriteHooks hooks) { m_hooks = std::move(hooks); }

private:
    UserPrompt& m_prompt;
    Render m_render;
    FileWriteHooks m_hooks;
};

} // namespace kq70
