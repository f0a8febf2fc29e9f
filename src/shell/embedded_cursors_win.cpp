#include "shell/embedded_cursors_win.h"

#include "assets/resource_ids.h"
#include "formats/embedded_block.h"
#include "winkit/resources_win.h"

namespace pawlet {

static_assert(PAWLET_RES_CURSOR_OK_HAND - PAWLET_RES_CURSOR_CLEAVER == cursor_ok_hand - cursor_cleaver,
              "the cursor resources follow the order of EmbeddedCursor");

EmbeddedCursorFiles embedded_cursor_files() {
    EmbeddedCursorFiles files{};
    for (std::size_t i = 0; i < files.size(); ++i) {
        const auto block = parse_embedded_block(rcdata_resource(PAWLET_RES_CURSOR_CLEAVER + static_cast<int>(i)));
        if (block) files[i] = *block;
    }
    return files;
}

}  // namespace pawlet
