#pragma once
#include <windows.h>

#include <new>
#include <utility>

namespace skin_engine {

// The engine links no C++ runtime (no operator new): objects live on the process heap.
template <typename T, typename... Args>
T* heap_new(Args&&... args) {
    void* memory = HeapAlloc(GetProcessHeap(), 0, sizeof(T));
    return memory ? new (memory) T(std::forward<Args>(args)...) : nullptr;
}

template <typename T>
void heap_delete(T* object) {
    if (!object) return;
    object->~T();
    HeapFree(GetProcessHeap(), 0, object);
}

// A block of bytes on the process heap, freed with the owner.
class HeapBytes {
public:
    HeapBytes() = default;
    explicit HeapBytes(SIZE_T size) : bytes_(static_cast<BYTE*>(HeapAlloc(GetProcessHeap(), 0, size))), size_(bytes_ ? size : 0) {}
    ~HeapBytes() { reset(); }
    HeapBytes(HeapBytes&& other) noexcept : bytes_(std::exchange(other.bytes_, nullptr)), size_(std::exchange(other.size_, 0)) {}
    HeapBytes& operator=(HeapBytes&& other) noexcept {
        if (this != &other) {
            reset();
            bytes_ = std::exchange(other.bytes_, nullptr);
            size_ = std::exchange(other.size_, 0);
        }
        return *this;
    }
    HeapBytes(const HeapBytes&) = delete;
    HeapBytes& operator=(const HeapBytes&) = delete;

    BYTE* data() const { return bytes_; }
    SIZE_T size() const { return size_; }
    void reset() {
        if (bytes_) HeapFree(GetProcessHeap(), 0, bytes_);
        bytes_ = nullptr;
        size_ = 0;
    }

private:
    BYTE* bytes_ = nullptr;
    SIZE_T size_ = 0;
};

}  // namespace skin_engine
