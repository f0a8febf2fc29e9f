#pragma once

// Identifiers of the program's resources (shared by the .rc script and the code).
#define PAWLET_RES_BACKGROUND_JPEG 101
