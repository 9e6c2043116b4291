#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace kq70 {

// The VCO alignment's directions and points.
enum VcoDirection : int { VCO_RX = 0, VCO_TX = 1 };
enum VcoPoint : int { VCO_HIGH = 0, VCO_MIDDLE = 1, VCO_LOW = 2 };
constexpr int VCO_POINT_COUNT = 3;

// The limits file and its sections' stem.
constexpr std::string_view VCO_LIMITS_FILE_NAME = "KQ70_ADJ.ini";

struct VcoPointLimits {
    int target = 185;
    int min1 = 0;
    int min2 = 0;
    int max1 = 0;
    int max2 = 0;
};

struct VcoDirectionLimits {
    int step = 1;
    std::array<VcoPointLimits, VCO_POINT_COUNT> points{};
};

// The VCO search limits of one band, per direction: a step, and per point a target and two
// lower and two upper bounds, in D/A steps. They come from the limits file's two sections of
// the band ("RX_VCO_INFO_" and "TX_VCO_INFO_" and the band's suffix); a key the file lacks
// keeps the value held before, and every value is held in 0–255 (a negative step reads as 4).
class VcoLimits {
public:
    // An integer read: section, key, the value held now → the value to hold.
    using Reader = std::function<int(std::string_view, std::string_view, int)>;

    static constexpr int NEGATIVE_STEP = 4;

    // The section suffix of a band code; codes above 12 count as 0.
    static std::string_view BandSuffix(int band);

    // Reads both sections of `band`, RX first, each key in the file's order.
    void Load(int band, const Reader& reader);
    // The limits file of the program folder when there is one, else the built-in one.
    void LoadForBand(const std::string& programFolder, int band);
    // A file of limits at `path`; a missing file or key keeps what is held.
    void LoadFile(const std::string& path, int band);

    const VcoDirectionLimits& Get(int direction) const;
    VcoDirectionLimits& Get(int direction);

    // The text of the built-in limits file: a section pair for every band suffix, fitted to
    // the simulated radio's VCO.
    static std::string BuiltInFileText();

private:
    std::array<VcoDirectionLimits, 2> m_limits{};
};

} // namespace kq70
