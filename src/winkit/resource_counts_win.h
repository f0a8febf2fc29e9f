#pragma once

namespace pawlet {

// Writes resource_counts_line(action, ...) to the debug output. Without a debugger nothing shows
// and it costs microseconds; under Wine, WINEDEBUG=+debugstr prints it, which is how the soak
// test reads the counts of a running program.
void report_resource_counts(int action);

}  // namespace pawlet
