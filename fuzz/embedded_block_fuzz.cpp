// The header in front of each embedded block.
#include <cstddef>
#include <cstdint>
#include <span>

#include "formats/embedded_block.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto block = pawlet::parse_embedded_block({data, size});
    if (!block) return 0;
    if (block->data() != data + pawlet::embedded_block_header_size ||
        block->size() + pawlet::embedded_block_header_size != size)
        __builtin_trap();
    return 0;
}
