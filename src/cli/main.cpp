#include "CliApp.h"

#include <csignal>
#include <iostream>
#include <unistd.h>

int main(int argc, char** argv) {
    // A closed pipe is a write error the program reports, not a silent end.
    std::signal(SIGPIPE, SIG_IGN);
    std::vector<std::string> args(argv + 1, argv + argc);
    return kq70::runCli(args, std::cin, std::cout, std::cerr, ::isatty(STDIN_FILENO) != 0);
}
