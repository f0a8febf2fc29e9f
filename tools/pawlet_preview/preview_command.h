#pragma once
#include <ostream>
#include <string>
#include <vector>

namespace pawlet::preview {

// pawlet-preview [--scale S] [--background JPEG] PACK OUT, with the arguments after the
// program's name. 0: written; 1: a file could not be written; 2: bad arguments.
int run_preview_command(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace pawlet::preview
