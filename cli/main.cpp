#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <new>

#include "cli/commands.h"
#include "cli/texts.h"
#include "common/failure.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    // One computation per process: freed transform and product buffers are
    // kept in the heap for the next step instead of going back to the kernel
    // and faulting in fresh zeroed pages on each multiplication.
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    int status = 1;
    try {
        std::vector<std::string> args(argv + 1, argv + argc);
        numerelle::cli::CommandIo io{std::cin, std::cout, std::cerr, isatty(STDIN_FILENO) == 1};
        status = numerelle::cli::runCli(args, io);
    } catch (const std::bad_alloc&) {
        std::cerr << numerelle::failureText(numerelle::FailureKind::OutOfMemory) << '\n';
        return 1;
    } catch (const std::length_error&) {
        std::cerr << numerelle::failureText(numerelle::FailureKind::OutOfMemory) << '\n';
        return 1;
    }
    // A full disk or a closed pipe must not pass for a printed result.
    std::cout.flush();
    if (!std::cout) {
        std::cerr << numerelle::cli::texts::kCannotWriteOutput << '\n';
        return 1;
    }
    return status;
}
