#pragma once

// Identifiers of the program's resources (shared by the .rc script and the code).
#define PAWLET_RES_BACKGROUND_JPEG 101

// The hand pointer, a cursor group.
#define PAWLET_RES_HAND_CURSOR 1032

// The picture cursors, one embedded block each, in the order of the EmbeddedCursor enumeration:
// the code finds cursor n at PAWLET_RES_CURSOR_CLEAVER + n.
#define PAWLET_RES_CURSOR_CLEAVER 201
#define PAWLET_RES_CURSOR_SKULL 202
#define PAWLET_RES_CURSOR_LADYBIRD 203
#define PAWLET_RES_CURSOR_HANDSHAKE 204
#define PAWLET_RES_CURSOR_CUP 205
#define PAWLET_RES_CURSOR_DUNG 206
#define PAWLET_RES_CURSOR_BECKON 207
#define PAWLET_RES_CURSOR_BOMB 208
#define PAWLET_RES_CURSOR_FOOTBALL 209
#define PAWLET_RES_CURSOR_DAGGER 210
#define PAWLET_RES_CURSOR_PENGUIN 211
#define PAWLET_RES_CURSOR_OK_HAND 212

// Embedded blocks (an 8-byte header, then the bytes): the skin engine's library, and skin n
// (1 to PAWLET_SKIN_COUNT) as PAWLET_RES_SKIN_BASE + n.
#define PAWLET_RES_SKIN_ENGINE 300
#define PAWLET_RES_SKIN_BASE 400
#define PAWLET_SKIN_COUNT 33
