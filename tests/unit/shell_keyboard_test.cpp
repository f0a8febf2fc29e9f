#include <gtest/gtest.h>

#include <vector>

#include "shell/keyboard.h"

namespace pawlet {
namespace {

const char* name_of(KeyCommand c) {
    switch (c) {
    case KeyCommand::none: return "none";
    case KeyCommand::close_window: return "close_window";
    case KeyCommand::focus_next: return "focus_next";
    case KeyCommand::focus_previous: return "focus_previous";
    }
    return "?";
}

TEST(Keyboard, KeyCommand) {
    constexpr unsigned key_enter = 0x0D, key_space = 0x20, key_f1 = 0x70;
    struct Case {
        const char* name;
        unsigned key;
        Modifiers held;
        KeyCommand expected;
    };
    const std::vector<Case> cases = {
        {"Escape", key_escape, {}, KeyCommand::close_window},
        {"Ctrl+Escape", key_escape, {.ctrl = true}, KeyCommand::none},
        {"Shift+Escape", key_escape, {.shift = true}, KeyCommand::none},
        {"Alt+Escape", key_escape, {.alt = true}, KeyCommand::none},
        {"Ctrl+Shift+Alt+Escape", key_escape, {true, true, true}, KeyCommand::none},
        {"Tab", key_tab, {}, KeyCommand::focus_next},
        {"Shift+Tab", key_tab, {.shift = true}, KeyCommand::focus_previous},
        {"Ctrl+Tab", key_tab, {.ctrl = true}, KeyCommand::none},
        {"Alt+Tab", key_tab, {.alt = true}, KeyCommand::none},
        {"Ctrl+Shift+Tab", key_tab, {.ctrl = true, .shift = true}, KeyCommand::none},
        {"Enter", key_enter, {}, KeyCommand::none},
        {"Space", key_space, {}, KeyCommand::none},
        {"F1", key_f1, {}, KeyCommand::none},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(name_of(key_command(c.key, c.held)), name_of(c.expected)) << c.name;
    }
}

}  // namespace
}  // namespace pawlet
