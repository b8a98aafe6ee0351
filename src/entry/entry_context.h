#pragma once
// What the entry form is handed when the main window shows it, and what it
// reports back. The entry layer sits below the main window and never sees its
// widgets: it changes the own lists through the core, and says what changed.

#include "core/core.h"
#include "settings/file_error_handler.h"

#include <QDate>
#include <QString>
#include <functional>

class QWidget;
class TimeSource;
class Ui;

// The kind code the main window sets before it shows the form: a new item, or a
// change of the selected ToDo or schedule item.
enum class TargetKind { New = 1, ChangeTodo = 11, ChangeSchedule = 12 };

struct EntryContext {
    // The own lists, the settings (member names, own directory) and the one
    // way to change the lists: registration hands its command to core.run().
    Core& core;
    Ui& ui;
    const TimeSource& time;
    QWidget* mainWindow;   // the form is centred over it and parented to it; may be null
    QDate calendarDate;   // the day picked in the main window's calendar
    TargetKind targetKind;
    int row = 0;   // the item to change (11, 12): its index in its list
    // That item's record as it was when the form opened: a change is written to
    // this item, found again should the list have moved meanwhile, and never
    // to another one.
    QByteArray itemAtOpen;
    std::function<FileErrorHandler()> trap;
};

// What a registration changed, for the main window to bring its display up to date.
struct EntryChanges {
    bool todos = false;   // the own ToDo list changed (an item added, changed or removed)
    bool schedules = false;
    bool memoPanelStale = false;   // the memo shown in the main window may no longer exist
    bool armAlarm = false;   // the alarm is to be chosen again
    bool merged = false;   // another copy's records were taken in on the way
    bool keptBoth = false;   // ... and a record both changed is kept twice
};
