#pragma once
// How the main window lays out its controls when it is resized, in twips.
// The window never gets smaller than 9450 x 6975: below that the size is pushed
// back and that direction's layout is skipped (the push raises a new resize).

#include <optional>

constexpr int kMinWindowWidth = 9450;
constexpr int kMinWindowHeight = 6975;
// The sheet the controls sit on reaches down to the bottom buttons.
constexpr int kMinSheetHeight = 6225;

// Where each control sits at the minimum size; the resize plan moves and
// stretches what grows with the window from there.
struct Place {
    int left, top, width, height;
};
namespace start_layout {
constexpr Place kGrid1{60, 60, 6735, 2235};
constexpr Place kGrid2{60, 2340, 6735, 2220};
constexpr Place kMemo{60, 4620, 6735, 1500};
constexpr Place kCombo{6840, 60, 2520, 330};
constexpr Place kCalendar{6840, 450, 2520, 2100};
constexpr Place kFrame1{6840, 2580, 2520, 600};
constexpr Place kFrame2{6840, 3210, 2520, 600};
constexpr Place kCommand12{6840, 3870, 1080, 375};
constexpr Place kCommand13{7980, 3870, 1380, 375};
constexpr Place kClock{8280, 4320, 1080, 300};
constexpr Place kCommand14{6840, 5820, 1080, 375};
constexpr Place kQuit{7980, 5820, 1380, 375};
// The three buttons of a frame: left of the first, top, width and height of each.
constexpr Place kFrameButton{90, 240, 780, 300};
// Grid columns: date, time, content, person.
constexpr int kColumnWidths[] = {1200, 700, 3700, 785};
}   // namespace start_layout

struct HorizontalLayout {
    int rightColumnLeft;   // Combo1, Frame1, Frame2, Command12, Command14, CSCalendar1
    int secondColumnLeft;   // Command13, cmd_syuryo
    int clockLeft;   // CurTime1
    int listWidth;   // Grid1, Grid2, T_memo
    int contentColumnWidth;   // column 2 of both grids
};

struct VerticalLayout {
    int grid1Height;
    int grid2Top;
    int memoTop;
    int bottomButtonsTop;   // Command14, cmd_syuryo
};

struct ResizePlan {
    std::optional<int> pushWidth;   // set the window to this width
    std::optional<int> pushHeight;
    std::optional<HorizontalLayout> horizontal;
    std::optional<VerticalLayout> vertical;
};

ResizePlan planResize(int width, int height, bool minimized);
