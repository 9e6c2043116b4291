#pragma once

#include <string>

namespace kq70 {

class CancelFlag;

// What the radio jobs need of the program around them.
struct CommJobContext {
    int accessMode = 0;
    // Where the upload finds the band's default template for the channel records beyond
    // the radio's capacity.
    std::string programFolder;
    // The document's edited flags: in manufacture mode the download keeps edited identity
    // bytes instead of taking the radio's.
    bool word1Edited = false;
    bool hardwareEdited = false;
    // A download reads back everything it wrote before it marks the radio's memory complete.
    bool verifyDownload = true;
    // Without an adjustment default file in the program folder the alignment start takes
    // the built-in one; when false it reports the file missing.
    bool builtInAdjustmentDefault = true;
    // An upload read only to be compared ends without its "Upload Complete!": what follows
    // the read is the comparison.
    bool reportUploadComplete = true;
    // Set while the job runs when the user asks it to stop; none: the job cannot be stopped.
    const CancelFlag* cancel = nullptr;
};

} // namespace kq70
