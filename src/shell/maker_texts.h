#pragma once

namespace pawlet {

// The maker's texts: the window title, the credits label and the Close button's address.
inline constexpr const wchar_t* maker_web_address = L"https://pawlet.example.org/";
inline constexpr const wchar_t* window_title = L"PawletPC版  https://pawlet.example.org/";
inline constexpr const wchar_t* credits_text =
    L"Pawlet  PC版  V1.1\r\n"
    L"© 2026 The Pawlet Makers. All rights reserved.\r\n"
    L"Pawlet Friends & Cat Lovers Club\r\n"
    L"https://pawlet.example.org/\r\n"
    L"IM: pawlet-makers@chat.example.org";
inline constexpr const wchar_t* close_caption = L"关闭";

}  // namespace pawlet
