#pragma once

#include <string>
#include <vector>

namespace kq70 {

struct FleetRadioResult;

// The texts a fleet download's results are shown with: each radio's result as the record
// writes it, its line as the command line prints it, and the summary of all.
class FleetReport {
public:
    // "Verified", "Written without verify", "Failed: <message>", "Cancelled", "Not answering".
    static std::string ResultText(const FleetRadioResult& result);
    // "<port> serial <serial>: <result> (<seconds> s)", and for a radio that did not succeed
    // whether it was left untouched or marked incomplete.
    static std::string RadioLine(const FleetRadioResult& result);
    // "3 of 4 verified, 1 failed: <port> <message>", with the radios not answering and the
    // cancelled ones (each said to be untouched or marked incomplete) after it. `verify`
    // says "verified", else "written".
    static std::string Summary(const std::vector<FleetRadioResult>& results, bool verify);
};

} // namespace kq70
