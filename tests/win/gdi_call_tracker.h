#pragma once
// Watches the program's GDI and cursor calls through the gdi_calls seam, for what this Wine
// cannot show: how many objects and cursors live, and any object deleted while still selected
// into a DC (Windows refuses that delete, so the object leaks there).
#include <windows.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "winkit/gdi_calls_win.h"

namespace pawlet::testing {

class GdiCallTracker {
public:
    GdiCallTracker() {
        current_ = this;
        set_gdi_calls({&create_compatible_dc, &create_dib_section, &select_object, &delete_object,
                       &delete_dc, &create_icon_from_resource_ex, &destroy_cursor});
    }
    ~GdiCallTracker() {
        set_gdi_calls(system_gdi_calls());
        current_ = nullptr;
    }
    GdiCallTracker(const GdiCallTracker&) = delete;
    GdiCallTracker& operator=(const GdiCallTracker&) = delete;

    std::size_t live_objects() const { return objects_.size(); }  // DCs and bitmaps
    std::size_t live_cursors() const { return cursors_.size(); }
    std::size_t cursors_made() const { return cursors_made_; }
    const std::vector<std::string>& faults() const { return faults_; }

private:
    static HDC WINAPI create_compatible_dc(HDC dc) {
        HDC made = CreateCompatibleDC(dc);
        if (made) current_->objects_.insert(made);
        return made;
    }
    static HBITMAP WINAPI create_dib_section(HDC dc, const BITMAPINFO* info, UINT usage, void** bits,
                                             HANDLE section, DWORD offset) {
        HBITMAP made = CreateDIBSection(dc, info, usage, bits, section, offset);
        if (made) current_->objects_.insert(made);
        return made;
    }
    static HGDIOBJ WINAPI select_object(HDC dc, HGDIOBJ object) {
        const HGDIOBJ previous = SelectObject(dc, object);
        if (previous && previous != HGDI_ERROR && GetObjectType(object) == OBJ_BITMAP)
            current_->selected_[dc] = object;
        return previous;
    }
    static BOOL WINAPI delete_object(HGDIOBJ object) {
        for (const auto& [dc, selected] : current_->selected_)
            if (selected == object) current_->faults_.push_back("DeleteObject on a bitmap still selected into a DC");
        if (!current_->objects_.erase(object)) current_->faults_.push_back("DeleteObject on an object not made here");
        return DeleteObject(object);
    }
    static BOOL WINAPI delete_dc(HDC dc) {
        current_->selected_.erase(dc);
        if (!current_->objects_.erase(dc)) current_->faults_.push_back("DeleteDC on a DC not made here");
        return DeleteDC(dc);
    }
    static HICON WINAPI create_icon_from_resource_ex(PBYTE bits, DWORD size, BOOL icon, DWORD version,
                                                     int width, int height, UINT flags) {
        HICON made = CreateIconFromResourceEx(bits, size, icon, version, width, height, flags);
        if (made) {
            current_->cursors_.insert(made);
            ++current_->cursors_made_;
        }
        return made;
    }
    static BOOL WINAPI destroy_cursor(HCURSOR cursor) {
        if (!current_->cursors_.erase(cursor)) current_->faults_.push_back("DestroyCursor on a cursor not made here");
        return DestroyCursor(cursor);
    }

    static inline GdiCallTracker* current_ = nullptr;
    std::set<HGDIOBJ> objects_;
    std::set<HCURSOR> cursors_;
    std::size_t cursors_made_ = 0;
    std::map<HDC, HGDIOBJ> selected_;  // the bitmap each memory DC holds
    std::vector<std::string> faults_;
};

}  // namespace pawlet::testing
