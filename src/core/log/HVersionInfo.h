#pragma once

#include <array>
#include <string>
#include <string_view>

namespace kq70 {

// The program's twelve version strings. They are fixed when the program is built; a string
// the build does not set reads "-".
class HVersionInfo {
public:
    enum Name {
        CompanyName,
        FileDescription,
        FileVersion,
        InternalName,
        LegalCopyright,
        OriginalFileName,
        ProductName,
        ProductVersion,
        Comments,
        LegalTrademarks,
        PrivateBuild,
        SpecialBuild,
        NameCount
    };

    HVersionInfo(); // every string "-"
    static HVersionInfo FromBuild();

    const std::string& Get(Name name) const { return m_strings[name]; }
    const std::string& GetFileVersion() const { return Get(FileVersion); }

private:
    std::array<std::string, NameCount> m_strings;
};

// What `--version` prints for each of the programs: "kq70-cli (KQ70) 1.01".
std::string programVersionLine(std::string_view program);

} // namespace kq70
