#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace kq70 {

struct FleetRadioResult;

// The programming record: a CSV file that every fleet download appends to, one line per
// radio, so a dealer can show which serial number got which data file. Lines are only ever
// appended; a new file starts with a header line.
class FleetRecord {
public:
    // "radio.k70" keeps its record next to it in "radio.k70.record.csv".
    static std::string PathFor(const std::string& dataFilePath);

    static std::vector<std::string> HeaderCells();
    // A moment as the record and the command line's JSON give it: local "YYYY-MM-DD hh:mm:ss".
    static std::string LocalTime(std::chrono::system_clock::time_point when);
    // One radio's cells: date and time (local, of its start), the data file's name without
    // its folder, the SHA-256 of the data file's bytes, the port as given, the serial number
    // as read from the radio, the result text and the seconds it took.
    static std::vector<std::string> Cells(const FleetRadioResult& result,
                                          const std::string& dataFilePath,
                                          const std::string& sha256);
    // The line of `cells` as Export to CSV writes it: each cell in double quotes, commas
    // between, CR LF at the end.
    static std::string Line(const std::vector<std::string>& cells);

    // Appends one line per result to the record at `recordPath` (the header first when the
    // file is new or empty) with one write. Nothing when that worked, else the message
    // saying why not; a failed append leaves the file as it was.
    static std::optional<std::string> Append(const std::string& recordPath,
                                             const std::string& dataFilePath,
                                             const std::string& sha256,
                                             const std::vector<FleetRadioResult>& results);
};

} // namespace kq70
