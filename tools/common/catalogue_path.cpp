#include "catalogue_path.h"

#include <algorithm>

namespace pawlet::tool_files {

std::string portable_path(std::string catalogue_name) {
    std::replace(catalogue_name.begin(), catalogue_name.end(), '\\', '/');
    return catalogue_name;
}

}  // namespace pawlet::tool_files
