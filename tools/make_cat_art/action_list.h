#pragma once
#include "scene.h"

// One function per action: the scene `s` seconds after the action's first frame.
namespace pawlet::art::actions {

inline constexpr Point rest_paw[2] = {{106, 302}, {208, 291}};

Scene scratch(double s);
Scene angry_tail(double s);
Scene cymbal(double s);
Scene drink(double s);
Scene eat(double s);
Scene fart(double s);
Scene foot(double s, int side);  // side: the foot on the viewer's left (0) or right (1)
Scene happy(double s);
Scene knockout(double s);
Scene listen(double s);
Scene pie(double s);
Scene sneeze(double s);
Scene stomach(double s);
Scene happy_simple(double s);
Scene talk(double s);
Scene yawn(double s);

}  // namespace pawlet::art::actions
