// The profile-file reader and writer: a write keeps every other line, and writing the same
// key again gives the same file (a malformed line must never grow).
#include "FuzzSupport.h"
#include "platform/IniFile.h"

#include <fstream>
#include <iterator>

using namespace kq70;

namespace {

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = fuzz::scratchPath("settings.ini");
    fuzz::writeScratch(path, {data, size});
    IniFile ini(path);
    const std::string before = ini.readString("Initialize", "COM_PORT", "none");
    (void)ini.readInt("Recent File List", "File1", 0);
    if (!ini.writeString("End Status", "LCDType", "1")) {
        return 0; // refused as a whole: nothing was written
    }
    const std::string once = readAll(path);
    if (ini.readString("End Status", "LCDType", "") != "1") {
        fuzz::fail("the written key does not read back");
    }
    if (ini.readString("Initialize", "COM_PORT", "none") != before) {
        fuzz::fail("a write changed another key");
    }
    if (!ini.writeString("End Status", "LCDType", "1") || readAll(path) != once) {
        fuzz::fail("writing the same value again changed the file");
    }
    return 0;
}
