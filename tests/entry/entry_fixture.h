#pragma once
// What the entry form is handed by the main window, built in a temporary
// folder: a program folder with poruka.ini, a data folder with both list
// files, the core started on them, a scripted Ui and a fixed clock. No main
// window: the form changes the lists through the core and says what changed.

#include "common/fake_ui.h"
#include "common/temp_files.h"
#include "entry/entry_context.h"
#include "entry/f_kinyu.h"
#include "store/list_file.h"
#include "store/memo.h"
#include "store/settings_file.h"
#include "ui/time_source.h"

#include <QDir>
#include <QTemporaryDir>
#include <memory>

struct EntryFixture {
    QTemporaryDir root;
    QString programDir;
    QString dataDir;   // ends with the separator
    ItemStore seed;   // what saveFiles() writes into the list files
    AppSettings settings;   // what the settings file holds at the start
    std::unique_ptr<Core> started;
    FakeUi ui;
    FixedTimeSource time{QDateTime(QDate(2026, 12, 10), QTime(14, 50))};
    WindowPlacement placement{0, 1500, 1500, 6975, 9450};
    int selectedRow = 0;   // the item a change works on
    QWidget* mainWindow = nullptr;   // what the form centres itself over

    EntryFixture()
    {
        QDir(root.path()).mkpath(QStringLiteral("prog"));
        QDir(root.path()).mkpath(QStringLiteral("data"));
        programDir = root.filePath(QStringLiteral("prog"));
        dataDir = root.filePath(QStringLiteral("data")) + QLatin1Char('/');
        settings = newSettings(QStringLiteral("山田"), dataDir, placement);
        settings.members[1] = {Field(QStringLiteral("鈴木")), Field(dataDir)};
        seed.todoHeader = seed.scheduleHeader = newListHeader();
        writeBytes(settingsPath(), serializeSettings(settings));
        saveFiles();
    }

    QString settingsPath() const { return programDir + QStringLiteral("/poruka.ini"); }
    QString todoPath() const { return dataDir + QStringLiteral("todo.dat"); }
    QString schedulePath() const { return dataDir + QStringLiteral("SCHE.DAT"); }
    QString memo(int n) const { return memoPath(dataDir, n); }

    // The list files as the seed holds them; the core reads them anew.
    void saveFiles()
    {
        writeBytes(todoPath(), serializeList(seed.todoHeader, seed.todos));
        writeBytes(schedulePath(), serializeList(seed.scheduleHeader, seed.schedules));
        started.reset();
    }

    // The core, started at its first use on the seed's lists.
    Core& core()
    {
        if (!started) {
            saveFiles();
            started = std::make_unique<Core>(programDir);
            started->resolvePaths();
            const SettingsRead read = readSettings(settingsPath());
            started->setSettings(read.settings);
            started->setPlacementSource([this] { return placement; });
            if (!started->loadOwnList(ListKind::Todo).ok() || !started->loadOwnList(ListKind::Schedule).ok())
                qFatal("the fixture's lists could not be read");
        }
        return *started;
    }
    const ItemStore& store() { return core().store(); }

    // targetKind as the main window sets it: 1 new, 11 change ToDo, 12 change schedule.
    EntryContext context(int targetKind, QDate calendarDate = QDate(2026, 12, 24))
    {
        return EntryContext{.core = core(),
                            .ui = ui,
                            .time = time,
                            .mainWindow = mainWindow,
                            .calendarDate = calendarDate,
                            .targetKind = TargetKind(targetKind),
                            .row = selectedRow,
                            .itemAtOpen = {},
                            .trap = [this] { return FileErrorHandler(TrapVariant::Shared, ui, mainWindow, {}); }};
    }

    std::unique_ptr<F_kinyu> form(int targetKind, QDate calendarDate = QDate(2026, 12, 24))
    {
        return std::make_unique<F_kinyu>(context(targetKind, calendarDate));
    }
};

inline TodoItem todoItem(const char* date, const char* time, const QString& content, int memoNo = 0)
{
    TodoItem t;
    t.entryDate = Field("2020/01/02");
    t.date = Field(date);
    t.time = Field(time);
    t.content = Field(content);
    t.person = Field(QStringLiteral("鈴木"));
    t.memoNo = Field::number(memoNo);
    t.rank = Field::fromBytes("  17  ");
    t.alarm = Field::number(0);
    t.spare = Field(QStringLiteral("予備"));
    return t;
}

inline ScheduleItem scheduleItem(const char* date, const char* time, const QString& content, int memoNo = 0)
{
    ScheduleItem s;
    static_cast<OpenItem&>(s) = static_cast<const OpenItem&>(todoItem(date, time, content, memoNo));
    return s;
}
