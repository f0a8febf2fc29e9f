#pragma once
#include <cstdint>
#include <span>

namespace pawlet {

// The bytes of an RCDATA resource of the program's own module; empty when there is none.
std::span<const std::uint8_t> rcdata_resource(int id);

}  // namespace pawlet
