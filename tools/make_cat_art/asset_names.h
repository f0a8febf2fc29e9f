#pragma once
#include <string>
#include <vector>

// The file names the catalogue asks for, with '/' between folder and file.
namespace pawlet::art {

// "blink/cat_blink0000.jpg" ... then every frame of actions 1..17 in order.
std::vector<std::string> animation_file_names();

}  // namespace pawlet::art
