#include <iostream>

#include "check_command.h"

int main(int argc, char** argv) {
    const std::vector<std::filesystem::path> args(argv + 1, argv + argc);
    return pawlet::check::run_check_command(args, std::cout, std::cerr);
}
