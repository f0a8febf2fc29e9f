#include "scene_painter.h"

#include "cairo_handles.h"
#include "cat_painter.h"
#include "props_painter.h"

namespace pawlet::art {

void paint_scene(cairo_t* cr, cairo_surface_t* alley, const Scene& scene) {
    cairo_set_source_surface(cr, alley, 0, 0);
    cairo_paint(cr);
    const Pose& pose = scene.pose;
    const Props& props = scene.props;
    paint_props_behind(cr, props);
    paint_cat(cr, pose, Ink{}, [&](cairo_t* c) {
        {
            SavedState head(c);
            apply_head_transform(c, pose);
            paint_head_props(c, props);
        }
        paint_held_props(c, pose, props);  // before the paws, which hold them
    });
    {
        SavedState body(cr);
        apply_body_transform(cr, pose);
        paint_body_front_props(cr, pose, props);
    }
    paint_props_in_front(cr, props);
}

}  // namespace pawlet::art
