#include "OutputGuard.h"

#include "platform/FilePaths.h"

#include <iostream>
#include <sys/stat.h>
#include <unistd.h>

namespace kq70 {

bool outputIsNoInput(const std::string& output, std::initializer_list<std::string> inputs,
                     std::ostream& err) {
    for (const std::string& input : inputs) {
        if (isSameFile(output, input)) {
            err << "kq70-cli: " << output << " is also read by this command (" << input
                << "); nothing was written\n";
            return false;
        }
    }
    return true;
}

bool standardOutputIsNoInput(const std::ostream& out, const std::string& input, std::ostream& err) {
    struct stat output {};
    struct stat file {};
    if (&out != &std::cout || ::fstat(STDOUT_FILENO, &output) != 0 ||
        ::stat(input.c_str(), &file) != 0 || output.st_dev != file.st_dev ||
        output.st_ino != file.st_ino) {
        return true;
    }
    err << "kq70-cli: the output goes into " << input
        << ", which this command reads; nothing was written\n";
    return false;
}

} // namespace kq70
