#pragma once

namespace kq70 {

// What one announcement of the document says changed. A replacement (New, Open, Upload, an
// undo back to another radio's data) announces everything at once, so whoever shows the
// document starts afresh.
struct DocumentChange {
    enum : unsigned {
        IMAGE = 1u << 0,    // bytes of the image
        PATH = 1u << 1,     // the file it belongs to
        MODIFIED = 1u << 2, // the unsaved-changes mark
        IDENTITY = 1u << 3, // the radio it describes: hardware, firmware, serial number
        REPLACED = 1u << 4, // the contents as a whole are another document's
        EVERYTHING = IMAGE | PATH | MODIFIED | IDENTITY | REPLACED,
    };

    unsigned what = 0;

    bool has(unsigned flags) const { return (what & flags) != 0; }
    bool replaced() const { return has(REPLACED); }
    bool operator==(const DocumentChange&) const = default;
};

// Hears the document's announcements. An observer may change the document while it hears
// one; that change is announced after the current announcement has reached everyone.
class DocumentObserver {
public:
    virtual ~DocumentObserver() = default;
    virtual void documentChanged(const DocumentChange& change) = 0;
};

} // namespace kq70
