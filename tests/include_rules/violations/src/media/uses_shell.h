// Compositing that reaches up into the program.
#include "shell/layout.h"
