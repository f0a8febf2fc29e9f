/* Prints the X server's current pointer: its size, hotspot, serial and a checksum of its pixels,
 * as "width=W height=H xhot=X yhot=Y serial=S checksum=0x...". The end-to-end tests use it to see
 * which cursor the program under Wine has set; screenshots never contain the pointer. */
#include <stdint.h>
#include <stdio.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

/* FNV-1a over the 32-bit ARGB pixels (Xlib hands them out in unsigned longs). */
static uint32_t pixel_checksum(const XFixesCursorImage* image) {
    uint32_t hash = 2166136261u;
    const size_t count = (size_t)image->width * image->height;
    for (size_t i = 0; i < count; ++i) {
        const uint32_t argb = (uint32_t)(image->pixels[i] & 0xFFFFFFFFu);
        for (int shift = 0; shift < 32; shift += 8) {
            hash ^= (argb >> shift) & 0xFFu;
            hash *= 16777619u;
        }
    }
    return hash;
}

int main(void) {
    Display* display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "xcursor_probe: cannot open the display\n");
        return 1;
    }
    int event_base = 0, error_base = 0;
    if (!XFixesQueryExtension(display, &event_base, &error_base)) {
        fprintf(stderr, "xcursor_probe: the display has no XFIXES extension\n");
        XCloseDisplay(display);
        return 1;
    }
    XFixesCursorImage* image = XFixesGetCursorImage(display);
    if (!image) {
        fprintf(stderr, "xcursor_probe: no cursor image\n");
        XCloseDisplay(display);
        return 1;
    }
    printf("width=%u height=%u xhot=%u yhot=%u serial=%lu checksum=0x%08x\n",
           (unsigned)image->width, (unsigned)image->height, (unsigned)image->xhot,
           (unsigned)image->yhot, image->cursor_serial, (unsigned)pixel_checksum(image));
    XFree(image);
    XCloseDisplay(display);
    return 0;
}
