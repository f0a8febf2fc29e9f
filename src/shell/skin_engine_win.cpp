#include "shell/skin_engine_win.h"

#include <windows.h>

#include <cstdint>
#include <vector>

#include "assets/resource_ids.h"
#include "formats/embedded_block.h"
#include "shell/process_end_win.h"
#include "winkit/file_write_win.h"
#include "winkit/long_path.h"
#include "winkit/resources_win.h"

namespace pawlet {
namespace {
constexpr wchar_t library_name[] = L"SkinH_EL.dll";
// Both stdcall: the engine removes its arguments.
using AttachRes = int(WINAPI*)(const std::uint8_t* bytes, int count, const char* text, int, int, int);
using SetAero = int(WINAPI*)(int on);

std::wstring wide(const char* ascii) { return std::wstring(ascii, ascii + std::char_traits<char>::length(ascii)); }
}  // namespace

SkinEngine::SkinEngine(std::wstring program_dir) : library_path_(std::move(program_dir) + L"\\" + library_name) {}

void SkinEngine::ensure_skin_engine() {
    // Whatever entry has the name, file or folder, is the user's: it is never replaced.
    if (entry_exists(library_path_)) return;
    const auto library = parse_embedded_block(rcdata_resource(PAWLET_RES_SKIN_ENGINE));
    if (!library) return;
    // Failures stay silent: the first call then finds the library elsewhere or ends start-up.
    write_whole_file(library_path_, *library, FILE_ATTRIBUTE_HIDDEN);
}

void SkinEngine::apply_embedded_skin(int number) {
    ensure_skin_engine();
    const auto attach = reinterpret_cast<AttachRes>(reinterpret_cast<void*>(function(attach_res_)));
    std::vector<std::uint8_t> copy;
    if (number >= 1 && number <= PAWLET_SKIN_COUNT) {
        const auto block = rcdata_resource(PAWLET_RES_SKIN_BASE + number);
        if (parse_embedded_block(block)) copy.assign(block.begin(), block.end());
    }
    const std::uint8_t* bytes = copy.empty() ? nullptr : copy.data() + embedded_block_header_size;
    const int count = copy.empty() ? 0 : static_cast<int>(copy.size() - embedded_block_header_size);
    attach(bytes, count, "", 0, 0, 0);
    std::vector<std::uint8_t>().swap(copy);  // the engine keeps its own copy
}

void SkinEngine::enable_skin_aero() {
    ensure_skin_engine();
    reinterpret_cast<SetAero>(reinterpret_cast<void*>(function(set_aero_)))(1);
}

void SkinEngine::release_library() {
    attach_res_.release();
    set_aero_.release();
}

FARPROC SkinEngine::function(LibraryFunction& which) {
    if (FARPROC address = which.find(extended_length_path(library_path_), library_name)) return address;
    const std::wstring library(library_name), name = wide(which.name());
    fatal_error(which.library_missing()
                    ? L"Pawlet cannot start: its skin engine, the library " + library +
                          L", could not be loaded, so " + name + L" cannot be called."
                    : L"Pawlet cannot start: its skin engine, the library " + library +
                          L", has no function " + name + L".");
}

}  // namespace pawlet
