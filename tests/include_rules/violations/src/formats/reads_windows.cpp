// A parser that reaches for the window system.
#include <Windows.h>
