#pragma once
// Owners of cairo surfaces and contexts for the tools that draw: the art, the skins, the previews.
#include <cairo.h>

#include <memory>

namespace pawlet::art {

struct SurfaceDeleter {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct ContextDeleter {
    void operator()(cairo_t* c) const { cairo_destroy(c); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;
using Context = std::unique_ptr<cairo_t, ContextDeleter>;

inline Surface make_surface(int width, int height) {
    return Surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
}
inline Context make_context(cairo_surface_t* surface) { return Context(cairo_create(surface)); }

// Keeps cairo's transform and source from leaking out of a drawing step.
class SavedState {
public:
    explicit SavedState(cairo_t* cr) : cr_(cr) { cairo_save(cr_); }
    ~SavedState() { cairo_restore(cr_); }
    SavedState(const SavedState&) = delete;
    SavedState& operator=(const SavedState&) = delete;

private:
    cairo_t* cr_;
};

}  // namespace pawlet::art
