#pragma once

#include <string>

namespace kq70 {

// Why a serial device cannot be opened, when the reason is the user's rights: the hint
// naming the group that owns the device (usually dialout). Empty when the device is missing
// or may be opened, so the hint never blames rights for another fault.
std::string portPermissionHint(const std::string& devicePath);

// The hint's text for `device` owned by `group`.
std::string formatPortPermissionHint(const std::string& device, const std::string& group);

} // namespace kq70
