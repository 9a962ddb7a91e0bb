#include <unistd.h>

#include <iostream>

#include "cli/commands.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    std::vector<std::string> args(argv + 1, argv + argc);
    numerelle::cli::CommandIo io{std::cin, std::cout, std::cerr, isatty(STDIN_FILENO) == 1};
    const int status = numerelle::cli::runCli(args, io);
    std::cout.flush();
    return status;
}
