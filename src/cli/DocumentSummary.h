#pragma once

#include <string>

namespace kq70 {

class CKQ70Doc;
struct DocumentObjects;
class UserPrompt;

// The readable summary of `show`: the radio's identity and build as the hardware page names
// them, its groups, and every programmed channel with its frequencies and tones.
std::string documentSummary(CKQ70Doc& doc, const DocumentObjects& objects, const std::string& path,
                            long long fileSize, UserPrompt& prompt);

// How a tone is written in the channel list: "OFF", CTCSS "%5.1f" Hz, DCS "D%03oN" or
// "D%03oI" (the code's octal digits, normal or inverted).
std::string toneText(int toneMode, int code, bool dcsInverted);

} // namespace kq70
