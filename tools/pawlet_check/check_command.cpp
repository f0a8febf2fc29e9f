#include "check_command.h"

#include <system_error>

#include "pack_check.h"
#include "pack_folder.h"
#include "report_format.h"

namespace pawlet::check {
namespace {

constexpr const char* usage =
    "usage: pawlet-check [--json] DIR\n"
    "Checks the asset pack in DIR (the folder holding animations/ and sounds/) with the pet's own\n"
    "JPEG decoder and WAV parser: missing, extra, undecodable and wrongly sized frames and\n"
    "unplayable sounds, one line each. Exit code 0: no errors; 1: errors; 2: bad arguments.\n";

}  // namespace

int run_check_command(const std::vector<std::filesystem::path>& args, std::ostream& out, std::ostream& err) {
    bool json = false;
    std::vector<std::filesystem::path> folders;
    for (const auto& arg : args) {
        const std::string text = pack::generic_text(arg);
        if (text == "--json") {
            json = true;
        } else if (text == "--help" || text == "-h") {
            out << usage;
            return exit_clean;
        } else if (text.size() > 1 && text[0] == '-') {
            err << "pawlet-check: unknown option " << text << '\n' << usage;
            return exit_usage;
        } else {
            folders.push_back(arg);
        }
    }
    if (folders.size() != 1) {
        err << usage;
        return exit_usage;
    }
    std::error_code ec;
    if (!std::filesystem::is_directory(folders[0], ec)) {
        err << "pawlet-check: " << pack::generic_text(folders[0]) << ": not a folder\n";
        return exit_usage;
    }
    const PackReport report = check_pack(folders[0]);
    const std::string shown = pack::generic_text(folders[0]);
    if (json) write_json_report(report, shown, out);
    else write_text_report(report, shown, out);
    return report.count(Severity::error) ? exit_problems : exit_clean;
}

}  // namespace pawlet::check
