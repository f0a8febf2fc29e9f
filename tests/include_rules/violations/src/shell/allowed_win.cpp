// Win32 code of the top folder: everything is allowed here.
#include <windows.h>
#include "pet/uses_kit.h"
#include "shell/other_win.h"
