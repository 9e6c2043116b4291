#include "support/ProcessLocale.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace kq70::test {

namespace {

// Compiles the language's UTF-8 locale into a folder shared by the test runs and returns
// that folder, for LOCPATH; empty when it cannot be made.
std::string compiledLocaleFolder(const std::string& language, const std::string& name) {
    std::string base = P_tmpdir;
    base += "/kq70-test-locale-" + std::to_string(getuid());
    const std::string target = base + "/" + name;
    struct stat info {};
    if (stat(target.c_str(), &info) == 0) {
        return base;
    }
    mkdir(base.c_str(), 0700);
    // Built beside the target and renamed, so parallel runs never see half a locale.
    const std::string building = target + ".building." + std::to_string(getpid());
    const std::string command =
        "localedef -i " + language + " -f UTF-8 '" + building + "' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0 && stat(building.c_str(), &info) != 0) {
        return {};
    }
    if (std::rename(building.c_str(), target.c_str()) != 0) {
        std::filesystem::remove_all(building); // another test made it first
    }
    return base;
}

} // namespace

ProcessLocale::ProcessLocale(const std::string& language) {
    for (const std::string& name : {language + ".UTF-8", language + ".utf8"}) {
        if (std::setlocale(LC_ALL, name.c_str()) != nullptr) {
            m_active = true;
            return;
        }
    }
    const std::string name = language + ".UTF-8";
    const std::string folder = compiledLocaleFolder(language, name);
    if (!folder.empty()) {
        setenv("LOCPATH", folder.c_str(), 1);
        if (std::setlocale(LC_ALL, name.c_str()) != nullptr) {
            m_active = true;
            return;
        }
        unsetenv("LOCPATH");
    }
    m_why = "no " + name +
            " locale on this machine and localedef could not make one "
            "(scripts/setup generates it; the Debian package 'locales' provides its sources)";
}

ProcessLocale::~ProcessLocale() {
    std::setlocale(LC_ALL, "C");
    unsetenv("LOCPATH");
}

} // namespace kq70::test
