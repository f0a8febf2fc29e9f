#pragma once

// Identifiers of the program's resources (shared by the .rc script and the code).
#define PAWLET_RES_BACKGROUND_JPEG 101
// Embedded blocks (an 8-byte header, then the bytes): the skin engine's library, and skin n
// (1 to PAWLET_SKIN_COUNT) as PAWLET_RES_SKIN_BASE + n.
#define PAWLET_RES_SKIN_ENGINE 300
#define PAWLET_RES_SKIN_BASE 200
#define PAWLET_SKIN_COUNT 33
