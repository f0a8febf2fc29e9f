#pragma once
#include <string>

namespace pawlet::tool_files {

// The catalogue names files as Windows does, "folder\file"; the tools write them on the host.
std::string portable_path(std::string catalogue_name);

}  // namespace pawlet::tool_files
