#include "support/CommaDecimalLocale.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace kq70::test {

namespace {

bool switchTo(const std::string& name) {
    if (std::setlocale(LC_ALL, name.c_str()) == nullptr) {
        return false;
    }
    if (std::strcmp(std::localeconv()->decimal_point, ",") == 0) {
        return true;
    }
    std::setlocale(LC_ALL, "C");
    return false;
}

constexpr const char* COMPILED_NAME = "de_DE.ISO-8859-1";

// Compiles de_DE (Latin-1: quick to build) into a folder shared by the test runs and
// returns that folder, for LOCPATH; empty when it cannot be made.
std::string compiledLocaleFolder() {
    const std::string base =
        std::string(P_tmpdir) + "/kq70-test-locale-" + std::to_string(getuid());
    const std::string target = base + "/" + COMPILED_NAME;
    struct stat info {};
    if (stat(target.c_str(), &info) == 0) {
        return base;
    }
    mkdir(base.c_str(), 0700);
    // Built beside the target and renamed, so parallel runs never see half a locale.
    const std::string building = target + ".building." + std::to_string(getpid());
    const std::string command =
        "localedef -i de_DE -f ISO-8859-1 '" + building + "' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0 && stat(building.c_str(), &info) != 0) {
        return {};
    }
    if (std::rename(building.c_str(), target.c_str()) != 0) {
        std::filesystem::remove_all(building); // another test made it first
    }
    return base;
}

} // namespace

CommaDecimalLocale::CommaDecimalLocale() {
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8", "fr_FR"}) {
        if (switchTo(name)) {
            m_active = true;
            return;
        }
    }
    const std::string folder = compiledLocaleFolder();
    if (!folder.empty()) {
        setenv("LOCPATH", folder.c_str(), 1);
        if (switchTo(COMPILED_NAME)) {
            m_active = true;
            return;
        }
        unsetenv("LOCPATH");
    }
    m_why = "no comma-decimal locale on this machine and localedef could not make one "
            "(the Debian package 'locales' provides its sources)";
}

CommaDecimalLocale::~CommaDecimalLocale() {
    std::setlocale(LC_ALL, "C");
    unsetenv("LOCPATH");
}

} // namespace kq70::test
