#include "CliApp.h"

#include <iostream>
#include <unistd.h>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return kq70::runCli(args, std::cin, std::cout, std::cerr, ::isatty(STDIN_FILENO) != 0);
}
