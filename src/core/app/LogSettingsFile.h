#pragma once

#include "log/LogSettings.h"

#include <string>

namespace kq70 {

// Reads "INI_LOG.ini" in the program folder: [LOG_INFO] DEF_LOG_NAME switches the log on,
// LOG_LEVELn and LOG_NAMEn set channel n (names are relative to the program folder).
LogSettings readLogSettings(const std::string& programFolder);

} // namespace kq70
