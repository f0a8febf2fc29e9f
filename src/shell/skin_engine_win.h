#pragma once
#include <string>

#include "shell/skins.h"
#include "winkit/library_function_win.h"

namespace pawlet {

// The program's side of the skin engine: puts the engine's library beside the program when no
// entry of its name is there, hands it one of the embedded skins and switches on its Aero look.
// Its two functions are found by name at their first call; the library that supplied each is
// released by release_library(), once per function found.
class SkinEngine {
public:
    explicit SkinEngine(std::wstring program_dir);
    SkinEngine(const SkinEngine&) = delete;
    SkinEngine& operator=(const SkinEngine&) = delete;

    void ensure_skin_engine();
    // Skin 1 to 33; any other number hands the engine no skin (a null address and 0 bytes).
    void apply_embedded_skin(int number);
    void enable_skin_aero();
    void release_library();

private:
    FARPROC function(LibraryFunction& which);

    std::wstring library_path_;
    LibraryFunction attach_res_{"SkinH_AttachRes"};
    LibraryFunction set_aero_{"SkinH_SetAero"};
};

}  // namespace pawlet
