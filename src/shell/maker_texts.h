#pragma once

namespace pawlet {

// The maker's texts: the window title, the credits label and the Close button's address.
// The address is a macro so that the title and the label can be joined at compile time.
#define PAWLET_MAKER_WEB_ADDRESS L"https://pawlet.example.org/"

inline constexpr const wchar_t* maker_web_address = PAWLET_MAKER_WEB_ADDRESS;
inline constexpr const wchar_t* window_title = L"PawletPC版  " PAWLET_MAKER_WEB_ADDRESS;
inline constexpr const wchar_t* credits_text =
    L"Pawlet  PC版  V1.1\r\n"
    L"© 2026 Pawlet Makers\r\n"
    L"Pawlet Cat Lovers & Friends\r\n"
    PAWLET_MAKER_WEB_ADDRESS L"\r\n"
    L"IM: pawlet@chat.example.org";
inline constexpr const wchar_t* close_caption = L"关闭";

}  // namespace pawlet
