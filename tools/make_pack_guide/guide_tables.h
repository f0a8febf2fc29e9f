#pragma once
#include <map>
#include <string>

namespace pawlet::guide {

// The generated parts of docs/asset-packs.md by block name, each made from the program's own
// tables: the files (catalogue), the pace (engine), the regions and their cursors (input), the
// frame size (layout).
std::map<std::string, std::string> guide_blocks();

// docs/asset-pack-files.txt: every file a pack holds, one path a line.
std::string file_list();

}  // namespace pawlet::guide
