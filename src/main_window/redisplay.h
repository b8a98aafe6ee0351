#pragma once
// What the window is to show again after a presenter call: the presenter
// decides, the window only carries it out (Main_Form::show).

#include "main_window/view_state.h"

#include <QString>
#include <optional>

struct [[nodiscard]] Redisplay {
    enum class Rows {
        Same,   // the grids stay as they are
        Refill,   // both grids anew from the lists on display
        KeepPlaces,   // anew, each grid's current row at the same place
        KeepItems,   // anew, each grid's chosen item chosen where it is now
    };
    Rows rows = Rows::Same;

    enum class Headings {
        Same,
        Counts,   // the counts over the lists, rows left chosen as they are
        Deselect,   // the counts, and no row chosen in either grid
    };
    Headings headings = Headings::Same;

    bool view = false;   // the view changed: captions, commands, the member combo
    // After the rows: this grid's current row (the item just changed).
    std::optional<std::pair<ListChoice, int>> row;
    std::optional<QString> memo;   // the memo panel's text
    bool alarm = false;   // the clock's alarm chosen again
    bool calendarToday = false;   // the calendar back on today
    QString status;   // a note in the status bar, when not empty
};
