// The main window on the real window system: loading order, size, focus and keys.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "fixtures/cursor_fixture.h"
#include "pet/action_catalogue.h"
#include "pet/sound_cue_win.h"
#include "shell/engine_host_win.h"
#include "shell/layout.h"
#include "shell/main_window_win.h"
#include "winkit/message_pump_win.h"

namespace pawlet {
namespace {

struct NoSound : SoundPlayer {
    void play(std::vector<Sound>) override {}
};

struct Recorder {
    NoSound no_sound;
    std::vector<std::string> events;
    int sound_ticks = 0;
    std::unique_ptr<MainWindow>* main = nullptr;  // for the handlers that act on the window
    MainWindowHandlers handlers() {
        MainWindowHandlers h;
        h.first_activated = [this] { events.push_back("first activated"); };
        h.will_be_destroyed = [this] { events.push_back("destroyed"); };
        h.close_clicked = [this] { events.push_back("close clicked"); };
        h.sound_sync_tick = [this] {
            ++sound_ticks;
            play_sound_cue((*main)->sound_sync_timer(), idle_action, L"", no_sound);
        };
        return h;
    }
};

void pump_for(DWORD ms) {
    const ULONGLONG end = GetTickCount64() + ms;
    while (GetTickCount64() < end) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        dispatch_pending_messages();
    }
}

void hold_keys(std::initializer_list<int> keys) {
    BYTE state[256] = {};
    for (int k : keys) state[k] = 0x80;
    SetKeyboardState(state);
}

void press(HWND target, UINT key, std::initializer_list<int> held = {}) {
    hold_keys(held);
    PostMessageW(target, WM_KEYDOWN, key, 1);
    dispatch_pending_messages();
    hold_keys({});
}

TEST(MainWindow, LoadsHiddenWithItsControlsThenStartsThePetOnceAfterTheFirstActivation) {
    Recorder rec;
    auto main = MainWindow::load(rec.handlers());
    ASSERT_TRUE(main);
    EXPECT_FALSE(IsWindowVisible(main->window())) << "created hidden";
    // IsWindowVisible also looks at the hidden parent: read the controls' own flag.
    for (ControlIndex c : {close_button, credits_label, animation_box})
        EXPECT_TRUE(GetWindowLongW(main->control(c), GWL_STYLE) & WS_VISIBLE) << "control " << c;
    EXPECT_EQ(GetWindowLongW(main->window(), GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0);
    EXPECT_TRUE(GetWindowLongW(main->window(), GWL_EXSTYLE) & WS_EX_APPWINDOW) << "its own taskbar button";

    RECT r;
    GetWindowRect(main->window(), &r);
    const int left = (GetSystemMetrics(SM_CXSCREEN) - 320) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - 547) / 2;
    EXPECT_EQ(r.left, left);
    EXPECT_EQ(r.top, top);
    EXPECT_EQ(r.right - r.left, 320);

    main->set_outer_height(547);
    main->set_outer_width(317);
    GetWindowRect(main->window(), &r);
    EXPECT_EQ(r.left, left) << "writing the width keeps the left edge";
    EXPECT_EQ(r.top, top);
    EXPECT_EQ(r.right - r.left, 317);
    EXPECT_EQ(r.bottom - r.top, 547);
    RECT client;
    GetClientRect(main->window(), &client);
    EXPECT_EQ(client.right, 317) << "no frame: the client area is the outer rectangle";
    EXPECT_EQ(client.bottom, 547);

    EXPECT_TRUE(rec.events.empty());
    main->show();
    pump_for(300);
    ASSERT_EQ(rec.events, std::vector<std::string>{"first activated"});
    EXPECT_EQ(GetFocus(), main->control(animation_box)) << "the box has the focus at start";

    // Later activations never start the pet again.
    SetActiveWindow(nullptr);
    SetForegroundWindow(GetDesktopWindow());
    pump_for(100);
    SetForegroundWindow(main->window());
    SetActiveWindow(main->window());
    pump_for(200);
    EXPECT_EQ(rec.events, std::vector<std::string>{"first activated"});
}

// A main window that has been shown and has had its first activation.
class ShownMainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        rec.main = &main;
        main = MainWindow::load(rec.handlers());
        ASSERT_TRUE(main);
        main->show();
        pump_for(200);
    }
    Recorder rec;
    std::unique_ptr<MainWindow> main;
};

TEST_F(ShownMainWindow, TabMovesBetweenTheButtonAndTheBoxAndEnterClicksNothing) {
    HWND button = main->control(close_button);
    HWND box = main->control(animation_box);
    ASSERT_EQ(GetFocus(), box);

    press(box, VK_TAB);
    EXPECT_EQ(GetFocus(), button);
    press(button, VK_TAB);
    EXPECT_EQ(GetFocus(), box);
    press(box, VK_TAB, {VK_SHIFT});
    EXPECT_EQ(GetFocus(), button);

    press(button, VK_RETURN);
    pump_for(100);
    EXPECT_EQ(rec.events, std::vector<std::string>{"first activated"}) << "Enter is not a default button";
}

TEST_F(ShownMainWindow, EscapeAloneClosesTheWindowAndShiftEscapeDoesNothing) {
    HWND box = main->control(animation_box);

    for (int modifier : {VK_SHIFT, VK_CONTROL, VK_MENU}) {
        press(box, VK_ESCAPE, {modifier});
        EXPECT_TRUE(IsWindow(main->window())) << "Escape with modifier " << modifier;
    }
    press(box, VK_ESCAPE);
    EXPECT_FALSE(IsWindow(main->window()));
    EXPECT_EQ(rec.events, (std::vector<std::string>{"first activated", "destroyed"}));
}

TEST_F(ShownMainWindow, CloseButtonClickReachesItsHandlerAndQueuedDestructionWaitsForTheNextDispatch) {
    SendMessageW(main->control(close_button), BM_CLICK, 0, 0);
    EXPECT_EQ(rec.events.back(), "close clicked");

    main->request_destruction();
    EXPECT_TRUE(IsWindow(main->window())) << "destruction is queued, not immediate";
    dispatch_pending_messages();
    EXPECT_FALSE(IsWindow(main->window()));
    EXPECT_EQ(rec.events.back(), "destroyed");
}

TEST_F(ShownMainWindow, SoundSyncTimerFiresOncePerArming) {
    WindowTimer& timer = main->sound_sync_timer();
    EXPECT_EQ(timer.period(), 0) << "stopped at start";

    timer.set_period(40);
    pump_for(400);
    EXPECT_EQ(rec.sound_ticks, 1);
    EXPECT_EQ(timer.period(), 0) << "the tick stops its timer";

    timer.set_period(40);
    pump_for(400);
    EXPECT_EQ(rec.sound_ticks, 2) << "armed again, it fires again, once";

    // Arming again with the same delay before the tick keeps the count: still one tick.
    timer.set_period(200);
    pump_for(100);
    timer.set_period(200);
    pump_for(500);
    EXPECT_EQ(rec.sound_ticks, 3);
}

TEST_F(ShownMainWindow, PointerRequestsOfTheControlsAreAnsweredWithTheBoxPointerOrTheArrow) {
    HWND box = main->control(animation_box);
    const std::vector<std::uint8_t> cursor_file = fixtures::make_cursor_file(128, 60, 60);
    const std::uint8_t hand[4] = {14, 0, 0, 0};
    const HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    struct Case {
        const char* name;
        ControlIndex over;
        std::vector<std::uint8_t> box_setting;
        bool box_pointer;  // else the arrow
    };
    const std::vector<Case> cases = {
        {"box with the hand", animation_box, {hand, hand + 4}, true},
        {"box with a cursor file", animation_box, cursor_file, true},
        {"box with no pointer of its own", animation_box, {0, 0, 0, 0}, false},
        {"close button", close_button, cursor_file, false},
        {"credits label", credits_label, cursor_file, false},
    };
    for (const Case& c : cases) {
        main->box().set_pointer(c.box_setting);
        SetCursor(nullptr);
        HWND over = main->control(c.over);
        // As the system does: to the window under the pointer, which passes it to its parent.
        const LRESULT handled =
            SendMessageW(over, WM_SETCURSOR, reinterpret_cast<WPARAM>(over), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_TRUE(handled) << c.name;
        EXPECT_EQ(GetCursor(), c.box_pointer ? main->box().pointer() : arrow) << c.name;
    }
    SetCursor(nullptr);
    SendMessageW(box, WM_SETCURSOR, reinterpret_cast<WPARAM>(box), MAKELPARAM(HTBORDER, WM_MOUSEMOVE));
    EXPECT_NE(GetCursor(), main->box().pointer()) << "outside the client area the system decides";
}

TEST_F(ShownMainWindow, AMinimisedWindowStillCountsAsShownForThePetsLoop) {
    const std::wstring animations_dir = L"C:\\nowhere\\animations\\";
    WindowEngineHost host(*main, animations_dir, 1);
    struct Step {
        const char* name;
        int show_command;
        bool shown;
    };
    const std::vector<Step> steps = {
        {"shown", SW_SHOW, true},
        {"minimised", SW_MINIMIZE, true},
        {"restored", SW_RESTORE, true},
        {"hidden", SW_HIDE, false},
    };
    for (const Step& step : steps) {
        ShowWindow(main->window(), step.show_command);
        pump_for(50);
        EXPECT_EQ(host.window_visible(), step.shown) << step.name;
    }
    DestroyWindow(main->window());
    EXPECT_FALSE(host.window_visible()) << "destroyed";
}

}  // namespace
}  // namespace pawlet
