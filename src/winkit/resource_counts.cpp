#include "winkit/resource_counts.h"

#include <atomic>
#include <cstdio>

namespace pawlet {
namespace {

struct Tally {
    std::atomic<std::int64_t> made{0};
    std::atomic<std::int64_t> freed{0};
};

Tally g_tallies[3];

Tally& tally(Counted kind) { return g_tallies[static_cast<int>(kind)]; }

MadeAndFreed read(Counted kind) {
    return {tally(kind).made.load(std::memory_order_relaxed), tally(kind).freed.load(std::memory_order_relaxed)};
}

}  // namespace

void count_made(Counted kind) { tally(kind).made.fetch_add(1, std::memory_order_relaxed); }
void count_freed(Counted kind) { tally(kind).freed.fetch_add(1, std::memory_order_relaxed); }

ResourceCounts resource_counts() {
    return {read(Counted::kernel_handle), read(Counted::gdi_object), read(Counted::cursor)};
}

std::string resource_counts_line(int action, const ResourceCounts& c) {
    char line[160];
    std::snprintf(line, sizeof line,
                  "pawlet counts: action %d; kernel handles %lld/%lld, GDI objects %lld/%lld, cursors %lld/%lld",
                  action, static_cast<long long>(c.kernel_handles.made), static_cast<long long>(c.kernel_handles.freed),
                  static_cast<long long>(c.gdi_objects.made), static_cast<long long>(c.gdi_objects.freed),
                  static_cast<long long>(c.cursors.made), static_cast<long long>(c.cursors.freed));
    return line;
}

}  // namespace pawlet
