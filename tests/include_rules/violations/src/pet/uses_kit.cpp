// Portable engine code that includes a Win32 header of a folder it may use.
#include "winkit/handles_win.h"
