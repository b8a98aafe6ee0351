#include "main_window/main_layout.h"

ResizePlan planResize(int width, int height, bool minimized)
{
    ResizePlan plan;
    if (minimized)
        return plan;

    if (width < kMinWindowWidth) {
        plan.pushWidth = kMinWindowWidth;
    } else {
        const int d = width - kMinWindowWidth;
        plan.horizontal = HorizontalLayout{d + 6840, d + 7980, d + 8280, d + 6735, d + 3700};
    }

    // A height of exactly 540 twips is treated like any other height below the minimum.
    if (height < kMinWindowHeight) {
        plan.pushHeight = kMinWindowHeight;
        return plan;
    }
    const int e = height - kMinWindowHeight;
    plan.vertical = VerticalLayout{e + 2235, e + 2340, e + 4620, e >= 1200 ? e + 4620 : 5820};
    return plan;
}
