#include "service/VcoLimits.h"

#include "app/ProgramFolder.h"
#include "platform/IniFile.h"
#include "ui/StrPrintf.h"

#include <algorithm>
#include <sys/stat.h>

namespace kq70 {

namespace {

constexpr int MAX_BAND_CODE = 12;
constexpr std::array<std::string_view, 2> SECTION_STEMS = {"RX_VCO_INFO_", "TX_VCO_INFO_"};
constexpr std::array<std::string_view, VCO_POINT_COUNT> POINT_KEYS = {"HIGH", "CENTER", "LOW"};
constexpr std::array<std::string_view, 8> SUFFIXES = {"VHF",   "VHF_C1",  "UHF_A",   "UHF_D",
                                                      "UHF_H", "VHF_220", "UHF_350", "PMR"};

// Built-in lock windows: the simulated radio's RX VCO locks at centre ± 40 with centres 130,
// 110 and 90 (High, Middle, Low), its TX VCO 10 higher; the bounds stay 5 inside the window.
constexpr std::array<int, VCO_POINT_COUNT> BUILT_IN_RX_CENTRES = {130, 110, 90};
constexpr int BUILT_IN_TX_OFFSET = 10;
constexpr int BUILT_IN_SPAN = 35;
constexpr int BUILT_IN_TARGET = 185;

int clampByte(int value) {
    return std::clamp(value, 0, 255);
}

} // namespace

std::string_view VcoLimits::BandSuffix(int band) {
    switch (band > MAX_BAND_CODE || band < 0 ? 0 : band) {
    case 1:
        return "VHF_C1";
    case 4:
    case 7:
        return "UHF_A";
    case 5:
        return "UHF_D";
    case 6:
        return "UHF_H";
    case 8:
        return "VHF_220";
    case 9:
    case 10:
    case 11:
        return "UHF_350";
    case 12:
        return "PMR";
    default:
        return "VHF";
    }
}

void VcoLimits::Load(int band, const Reader& reader) {
    const std::string suffix(BandSuffix(band));
    for (int direction = VCO_RX; direction <= VCO_TX; ++direction) {
        const std::string section = std::string(SECTION_STEMS[direction]) + suffix;
        VcoDirectionLimits& limits = m_limits[static_cast<std::size_t>(direction)];
        const int step = reader(section, "VCO_STEP", limits.step);
        limits.step = step < 0 ? NEGATIVE_STEP : clampByte(step);
        for (int point = 0; point < VCO_POINT_COUNT; ++point) {
            VcoPointLimits& p = limits.points[static_cast<std::size_t>(point)];
            const std::string stem = "VCO_" + std::string(POINT_KEYS[point]) + "_";
            const auto read = [&](const char* name, int& value) {
                value = clampByte(reader(section, stem + name, value));
            };
            read("TARGET", p.target);
            read("MIN1", p.min1);
            read("MIN2", p.min2);
            read("MAX1", p.max1);
            read("MAX2", p.max2);
        }
    }
}

void VcoLimits::LoadFile(const std::string& path, int band) {
    const IniFile file(path);
    Load(band, [&file](std::string_view section, std::string_view key, int held) {
        return file.readInt(section, key, held);
    });
}

void VcoLimits::LoadForBand(const std::string& programFolder, int band) {
    const std::string path = joinPath(programFolder, std::string(VCO_LIMITS_FILE_NAME));
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) {
        LoadFile(path, band);
        return;
    }
    const std::string text = BuiltInFileText();
    Load(band, [&text](std::string_view section, std::string_view key, int held) {
        return IniFile::readIntFromText(text, section, key, held);
    });
}

const VcoDirectionLimits& VcoLimits::Get(int direction) const {
    return m_limits[direction == VCO_TX ? 1 : 0];
}

VcoDirectionLimits& VcoLimits::Get(int direction) {
    return m_limits[direction == VCO_TX ? 1 : 0];
}

std::string VcoLimits::BuiltInFileText() {
    std::string text;
    for (std::string_view suffix : SUFFIXES) {
        for (int direction = VCO_RX; direction <= VCO_TX; ++direction) {
            text += "[" + std::string(SECTION_STEMS[direction]) + std::string(suffix) + "]\n";
            text += "VCO_STEP=1\n";
            for (int point = 0; point < VCO_POINT_COUNT; ++point) {
                const int centre = BUILT_IN_RX_CENTRES[static_cast<std::size_t>(point)] +
                                   (direction == VCO_TX ? BUILT_IN_TX_OFFSET : 0);
                const std::string key = "VCO_" + std::string(POINT_KEYS[point]) + "_";
                text += strprintf("%sTARGET=%d\n", key.c_str(), BUILT_IN_TARGET);
                text += strprintf("%sMIN1=%d\n", key.c_str(), centre - BUILT_IN_SPAN);
                text += strprintf("%sMIN2=%d\n", key.c_str(), centre - BUILT_IN_SPAN);
                text += strprintf("%sMAX1=%d\n", key.c_str(), centre + BUILT_IN_SPAN);
                text += strprintf("%sMAX2=%d\n", key.c_str(), centre + BUILT_IN_SPAN);
            }
        }
    }
    return text;
}

} // namespace kq70
