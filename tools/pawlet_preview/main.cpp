#include <iostream>

#include "preview_command.h"

int main(int argc, char** argv) {
    return pawlet::preview::run_preview_command({argv + 1, argv + argc}, std::cout, std::cerr);
}
