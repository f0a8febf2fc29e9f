#pragma once
#include <windows.h>

namespace skin_engine {

// Every GDI object and memory DC the engine makes goes through here, so that the engine can
// say how many it holds (PawletSkin_Counts): the system's own counts read 0 under Wine.
HGDIOBJ count_made(HGDIOBJ object);
void delete_object(HGDIOBJ object);
HDC make_memory_dc(HDC like);
void delete_memory_dc(HDC dc);
LONG gdi_objects_held();

// One GDI object, deleted with its owner; it must be selected out of every DC by then.
template <typename Handle>
class OwnedGdi {
public:
    OwnedGdi() = default;
    explicit OwnedGdi(Handle h) : handle_(h) {}
    ~OwnedGdi() { reset(); }
    OwnedGdi(const OwnedGdi&) = delete;
    OwnedGdi& operator=(const OwnedGdi&) = delete;
    Handle get() const { return handle_; }
    void reset(Handle h = nullptr) {
        if (handle_) delete_object(handle_);
        handle_ = h;
    }

private:
    Handle handle_ = nullptr;
};

// SelectObject for a scope; the previous object goes back at the end.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
    ~Selected() {
        if (previous_) SelectObject(dc_, previous_);
    }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace skin_engine
