// A host tool is portable too.
#include <shellapi.h>
