#pragma once
#include <windows.h>

#include <string>

namespace pawlet {

// A function of a library, looked up by name at its first use. The library comes from its
// full path first, then from the safe search (the program's folder and the system folders,
// never the current directory or PATH). The handle that supplied the function is kept until
// release(), which frees the library once.
class LibraryFunction {
public:
    explicit LibraryFunction(const char* name) : name_(name) {}
    ~LibraryFunction() = default;  // a library stays loaded until release(): code may run from it
    LibraryFunction(const LibraryFunction&) = delete;
    LibraryFunction& operator=(const LibraryFunction&) = delete;

    // The function's address, found now if it is not known yet; null when neither the file at
    // full_path nor the safe search for file_name gives a library that has it (a library loaded
    // without it is freed again).
    FARPROC find(const std::wstring& full_path, const wchar_t* file_name);
    bool found() const { return address_ != nullptr; }
    // After a failed find: whether no library could be loaded at all (else it lacked the name).
    bool library_missing() const { return library_missing_; }
    const char* name() const { return name_; }
    // Frees the library that supplied the function, once; nothing when it was not found.
    void release();

private:
    const char* name_;
    FARPROC address_ = nullptr;
    HMODULE library_ = nullptr;
    bool library_missing_ = false;
};

// Loads a library by file name through the safe search only: LOAD_LIBRARY_SEARCH_DEFAULT_DIRS
// where the system has it, else the system folder by full path.
HMODULE load_library_safely(const wchar_t* file_name);

}  // namespace pawlet
