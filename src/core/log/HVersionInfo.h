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
    static HVersionInfo fromBuild();

    const std::string& get(Name name) const { return m_strings[name]; }
    const std::string& GetCompanyName() const { return get(CompanyName); }
    const std::string& GetFileDescription() const { return get(FileDescription); }
    const std::string& GetFileVersion() const { return get(FileVersion); }
    const std::string& GetInternalName() const { return get(InternalName); }
    const std::string& GetLegalCopyright() const { return get(LegalCopyright); }
    const std::string& GetOriginalFileName() const { return get(OriginalFileName); }
    const std::string& GetProductName() const { return get(ProductName); }
    const std::string& GetProductVersion() const { return get(ProductVersion); }
    const std::string& GetComments() const { return get(Comments); }
    const std::string& GetLegalTrademarks() const { return get(LegalTrademarks); }
    const std::string& GetPrivateBuild() const { return get(PrivateBuild); }
    const std::string& GetSpecialBuild() const { return get(SpecialBuild); }

private:
    std::array<std::string, NameCount> m_strings;
};

// What `--version` prints for each of the programs: "kq70-cli (KQ70) 1.01".
std::string programVersionLine(std::string_view program);

} // namespace kq70
