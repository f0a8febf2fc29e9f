// A folder with no rule.
#include "base/geometry.h"
