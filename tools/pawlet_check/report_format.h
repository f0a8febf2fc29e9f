#pragma once
#include <ostream>
#include <string_view>

#include "pack_check.h"

namespace pawlet::check {

// One line per problem, "error: FILE: REASON", then the summary line.
void write_text_report(const PackReport& report, std::string_view folder, std::ostream& out);

// The same as one JSON object, for tools.
void write_json_report(const PackReport& report, std::string_view folder, std::ostream& out);

}  // namespace pawlet::check
