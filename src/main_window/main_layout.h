#pragma once
// How the main window lays out its controls when it is resized, in twips.
// The window never gets smaller than 9450 x 6975: below that the size is pushed
// back and that direction's layout is skipped (the push raises a new resize).

#include <optional>

constexpr int kMinWindowWidth = 9450;
constexpr int kMinWindowHeight = 6975;

struct HorizontalLayout {
    int rightColumnLeft;    // Combo1, Frame1, Frame2, Command12, Command14, CSCalendar1
    int secondColumnLeft;   // Command13, cmd_syuryo
    int clockLeft;          // CurTime1
    int listWidth;          // Grid1, Grid2, T_memo
    int contentColumnWidth; // column 2 of both grids
};

struct VerticalLayout {
    int grid1Height;
    int grid2Top;
    int memoTop;
    int bottomButtonsTop;   // Command14, cmd_syuryo
};

struct ResizePlan {
    std::optional<int> pushWidth;    // set the window to this width
    std::optional<int> pushHeight;
    std::optional<HorizontalLayout> horizontal;
    std::optional<VerticalLayout> vertical;
};

ResizePlan planResize(int width, int height, bool minimized);
