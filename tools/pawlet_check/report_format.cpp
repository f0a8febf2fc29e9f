#include "report_format.h"

#include <cstdio>

namespace pawlet::check {
namespace {

const char* severity_name(Severity severity) { return severity == Severity::error ? "error" : "warning"; }

std::string plural(int n, const char* word) {
    return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
}

void write_json_string(std::string_view text, std::ostream& out) {
    out << '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out << '\\' << c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out << escaped;
        } else {
            out << c;
        }
    }
    out << '"';
}

}  // namespace

void write_text_report(const PackReport& report, std::string_view folder, std::ostream& out) {
    for (const Problem& p : report.problems)
        out << severity_name(p.severity) << ": " << p.file << ": " << p.reason << '\n';
    const int errors = report.count(Severity::error), warnings = report.count(Severity::warning);
    out << "pawlet-check: " << folder << ": " << report.files_found << " of " << report.files_expected
        << " files found, ";
    if (errors == 0 && warnings == 0) out << "no problems\n";
    else out << plural(errors, "error") << ", " << plural(warnings, "warning") << '\n';
}

void write_json_report(const PackReport& report, std::string_view folder, std::ostream& out) {
    out << "{\"folder\": ";
    write_json_string(folder, out);
    out << ", \"files_expected\": " << report.files_expected << ", \"files_found\": " << report.files_found
        << ", \"errors\": " << report.count(Severity::error) << ", \"warnings\": " << report.count(Severity::warning)
        << ", \"problems\": [";
    for (std::size_t i = 0; i < report.problems.size(); ++i) {
        const Problem& p = report.problems[i];
        out << (i ? ",\n  " : "\n  ") << "{\"severity\": \"" << severity_name(p.severity) << "\", \"kind\": \""
            << p.kind << "\", \"file\": ";
        write_json_string(p.file, out);
        out << ", \"reason\": ";
        write_json_string(p.reason, out);
        out << '}';
    }
    out << (report.problems.empty() ? "]}\n" : "\n]}\n");
}

}  // namespace pawlet::check
