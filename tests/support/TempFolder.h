#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kq70::test {

// A fresh folder under the system's temporary folder, removed with everything in it when the
// object goes. Every test that touches files uses its own.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return m_path + "/" + name; }

    static void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
    static void writeText(const std::string& path, const std::string& text);
    static std::vector<std::uint8_t> readBytes(const std::string& path);
    static std::string readText(const std::string& path);
    static bool exists(const std::string& path);

private:
    std::string m_path;
};

} // namespace kq70::test
