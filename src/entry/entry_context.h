#pragma once
// What the entry form needs of the main window, handed over when the window
// shows the form. The entry layer sits below the main window and never sees it.

#include "settings/file_error_handler.h"
#include "store/item_store.h"
#include "store/settings_file.h"

#include <QDate>
#include <QString>
#include <functional>

class Grid;
class QPlainTextEdit;
class QWidget;
class TimeSource;
class Ui;

struct EntryContext {
    ItemStore& store;          // the own lists
    AppSettings& settings;     // memo counter, member names, own directory
    QString settingsPath;
    Ui& ui;
    const TimeSource& time;
    Grid& grid1;               // ToDo grid: its current row is the item to change (11)
    Grid& grid2;               // schedule grid (12)
    QPlainTextEdit& mainMemo;  // the main window's memo panel
    QWidget* mainWindow;       // the form is centred over it and parented to it
    QDate calendarDate;        // the day picked in the main window's calendar
    int targetKind;            // 1 new, 11 change ToDo, 12 change schedule
    std::function<WindowPlacement()> placement;   // saved into the settings
    std::function<void(bool sameMinute)> armAlarm;
    std::function<FileErrorHandler()> trap;
};

namespace target_kind {
inline constexpr int kNew = 1;
inline constexpr int kChangeTodo = 11;
inline constexpr int kChangeSchedule = 12;
}  // namespace target_kind
