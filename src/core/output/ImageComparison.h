#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace kq70 {

class RadioImage;

// One value that two images show differently: where it is shown, its caption, and its text
// in each image (empty where the image does not show it at all).
struct ComparisonEntry {
    std::string section;
    std::string caption;
    std::string valueA;
    std::string valueB;
    int channel = 0; // the grid row's channel, 1-based; 0 outside the grid

    bool operator==(const ComparisonEntry&) const = default;
};

// Two images compared by what a dealer sees, not by bytes: the radio's identity, every
// value of the parameter pages as the pages show it, the groups, and per channel the cells
// of the channel grid. Bytes that differ without changing anything shown are counted, so a
// difference is never silently lost.
class ImageComparison {
public:
    // The pages and the grid as they show the images in `accessMode`.
    static ImageComparison compare(const RadioImage& a, const RadioImage& b, int accessMode);

    const std::vector<ComparisonEntry>& entries() const { return m_entries; }
    // Differing bytes that no page, group line or grid cell shows.
    std::size_t unshownDifferences() const { return m_unshown; }
    bool equal() const { return m_entries.empty() && m_unshown == 0; }

private:
    std::vector<ComparisonEntry> m_entries;
    std::size_t m_unshown = 0;
};

} // namespace kq70
