#include <gtest/gtest.h>

#include "winkit/resource_counts.h"

namespace pawlet {
namespace {

TEST(ResourceCounts, CountsEachKindApart) {
    const ResourceCounts before = resource_counts();
    count_made(Counted::kernel_handle);
    count_made(Counted::kernel_handle);
    count_freed(Counted::kernel_handle);
    count_made(Counted::cursor);
    const ResourceCounts after = resource_counts();
    EXPECT_EQ(after.kernel_handles.made - before.kernel_handles.made, 2);
    EXPECT_EQ(after.kernel_handles.freed - before.kernel_handles.freed, 1);
    EXPECT_EQ(after.cursors.live() - before.cursors.live(), 1);
    EXPECT_EQ(after.gdi_objects.made, before.gdi_objects.made);
}

// tests/e2e/soak.py reads this line from the running program's debug output.
TEST(ResourceCounts, LineNamesTheActionAndMadeOverFreedOfEachKind) {
    const ResourceCounts counts{{1203, 1199}, {4, 1}, {5000000000, 4999999999}};
    EXPECT_EQ(resource_counts_line(14, counts),
              "pawlet counts: action 14; kernel handles 1203/1199, GDI objects 4/1, cursors 5000000000/4999999999");
}

}  // namespace
}  // namespace pawlet
