#include "log/HVersionInfo.h"

#ifndef KQ70_PROJECT_VERSION
#define KQ70_PROJECT_VERSION "0.0.0"
#endif

namespace kq70 {

HVersionInfo::HVersionInfo() {
    m_strings.fill("-");
}

HVersionInfo HVersionInfo::FromBuild() {
    HVersionInfo info;
    info.m_strings[CompanyName] = "KQ70 project";
    info.m_strings[FileDescription] = "KQ70 programming and service tool";
    info.m_strings[FileVersion] = KQ70_PROJECT_VERSION;
    info.m_strings[InternalName] = "kq70";
    info.m_strings[OriginalFileName] = "kq70";
    info.m_strings[ProductName] = "KQ70";
    info.m_strings[ProductVersion] = KQ70_PROJECT_VERSION;
    return info;
}

std::string programVersionLine(std::string_view program) {
    return std::string(program) + " (KQ70) " + HVersionInfo::FromBuild().GetFileVersion();
}

} // namespace kq70
