#pragma once

#include <functional>
#include <string>

namespace kq70 {

class CancelFlag;
class RadioImage;

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
    // Set while the job runs when the user asks it to stop; none: the job cannot be stopped.
    const CancelFlag* cancel = nullptr;
    // Told by a download once it has read the radio's identity, hardware and adjustment data
    // (the work buffer), before the checks: whoever programs several radios learns which one
    // it is talking to even when the radio is then refused. Called on the job's thread.
    std::function<void(const RadioImage& radio)> radioRead{};
};

} // namespace kq70
