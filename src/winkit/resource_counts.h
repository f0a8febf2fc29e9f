#pragma once
#include <cstdint>
#include <string>

namespace pawlet {

// How many kernel handles, GDI objects (DCs and bitmaps) and cursors the program has made and
// freed so far, counted where it owns them (handles_win.h, gdi_calls_win.h): under Wine the
// system's own counts (GetProcessHandleCount, GetGuiResources) read 0 whatever leaks.
enum class Counted { kernel_handle, gdi_object, cursor };

struct MadeAndFreed {
    std::int64_t made = 0;
    std::int64_t freed = 0;
    std::int64_t live() const { return made - freed; }
};

struct ResourceCounts {
    MadeAndFreed kernel_handles;
    MadeAndFreed gdi_objects;
    MadeAndFreed cursors;
};

// Safe from any thread: the sound player's thread owns handles too.
void count_made(Counted kind);
void count_freed(Counted kind);
ResourceCounts resource_counts();

// One line for the debug output, read by the soak test:
// "pawlet counts: action 14; kernel handles 1203/1199, GDI objects 4/1, cursors 512/511" (made/freed).
std::string resource_counts_line(int action, const ResourceCounts& counts);

}  // namespace pawlet
