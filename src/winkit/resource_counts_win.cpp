#include "winkit/resource_counts_win.h"

#include <windows.h>

#include <string>

#include "winkit/resource_counts.h"

namespace pawlet {

void report_resource_counts(int action) {
    const std::string line = resource_counts_line(action, resource_counts()) + "\n";
    OutputDebugStringA(line.c_str());
}

}  // namespace pawlet
