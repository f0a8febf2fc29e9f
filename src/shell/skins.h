#pragma once

namespace pawlet {

// The one skin the program applies, of the PAWLET_SKIN_COUNT it carries.
inline constexpr int skin_to_apply = 13;

}  // namespace pawlet
