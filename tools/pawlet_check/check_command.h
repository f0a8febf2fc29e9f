#pragma once
#include <filesystem>
#include <ostream>
#include <vector>

namespace pawlet::check {

inline constexpr int exit_clean = 0;        // no errors (warnings may be reported)
inline constexpr int exit_problems = 1;     // at least one error
inline constexpr int exit_usage = 2;        // bad arguments, or DIR is not a folder

// pawlet-check [--json] DIR, with the arguments after the program's name.
int run_check_command(const std::vector<std::filesystem::path>& args, std::ostream& out, std::ostream& err);

}  // namespace pawlet::check
