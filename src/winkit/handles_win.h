#pragma once
#include <windows.h>

#include <memory>
#include <type_traits>
#include <utility>

#include "winkit/gdi_calls_win.h"
#include "winkit/resource_counts.h"

namespace pawlet {

// One move-only owner per kind of handle; the deleter knows how the kind is released.
template <typename Handle, auto Release>
struct HandleDeleter {
    using pointer = Handle;
    void operator()(Handle h) const noexcept {
        if (h) Release(h);
    }
};

template <typename Handle, auto Release>
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<Handle>, HandleDeleter<Handle, Release>>;

// A kernel handle (event, thread, timer, file) owned for its life. Each one adopted and each one
// closed is counted (resource_counts.h), so that a leak shows in the program's own counts.
// CreateFile reports failure as INVALID_HANDLE_VALUE, the others as null: neither is owned.
class OwnedHandle {
public:
    OwnedHandle() = default;
    explicit OwnedHandle(HANDLE handle) { adopt(handle); }
    ~OwnedHandle() { reset(); }
    OwnedHandle(OwnedHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    OwnedHandle& operator=(OwnedHandle&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;

    HANDLE get() const { return handle_; }
    explicit operator bool() const { return owned(handle_); }
    void reset(HANDLE handle = nullptr) {
        if (owned(handle_)) {
            CloseHandle(handle_);
            count_freed(Counted::kernel_handle);
        }
        handle_ = nullptr;
        adopt(handle);
    }

private:
    static bool owned(HANDLE h) { return h && h != INVALID_HANDLE_VALUE; }
    void adopt(HANDLE handle) {
        handle_ = handle;
        if (owned(handle_)) count_made(Counted::kernel_handle);
    }
    HANDLE handle_ = nullptr;
};
using KernelHandle = OwnedHandle;
using FileHandle = OwnedHandle;
inline void delete_gdi_object(HGDIOBJ object) { gdi_calls().delete_object(object); }
inline void delete_memory_dc(HDC dc) { gdi_calls().delete_dc(dc); }
inline void destroy_cursor(HCURSOR cursor) { gdi_calls().destroy_cursor(cursor); }
using GdiBitmap = UniqueHandle<HBITMAP, &delete_gdi_object>;
using MemoryDc = UniqueHandle<HDC, &delete_memory_dc>;
using OwnedCursor = UniqueHandle<HCURSOR, &destroy_cursor>;
using OwnedIcon = UniqueHandle<HICON, &DestroyIcon>;

// Selects a GDI object into a DC for the scope and puts the previous one back.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(gdi_calls().select_object(dc, object)) {}
    ~ScopedSelect() {
        if (previous_) gdi_calls().select_object(dc_, previous_);
    }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// BeginPaint/EndPaint for one WM_PAINT.
class PaintScope {
public:
    explicit PaintScope(HWND window) : window_(window) { dc_ = BeginPaint(window_, &paint_); }
    ~PaintScope() { EndPaint(window_, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;

    HDC dc() const { return dc_; }
    const RECT& area() const { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

}  // namespace pawlet
