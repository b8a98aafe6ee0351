#pragma once
// What the entry form is handed by the main window, built in a temporary
// folder: a program folder with poruka.ini, a data folder with both list
// files, a scripted Ui and a fixed clock. No main window: the form works on
// the store and says what changed.

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
    ItemStore store;
    AppSettings settings;
    FakeUi ui;
    FixedTimeSource time{QDateTime(QDate(2026, 12, 10), QTime(14, 50))};
    WindowPlacement placement{0, 1500, 1500, 6975, 9450};
    int selectedRow = 0;   // the item a change works on
    QWidget* mainWindow = nullptr;   // what the form centres itself over
    QList<ListEdit> edits;           // as registration noted them

    EntryFixture()
    {
        QDir(root.path()).mkpath(QStringLiteral("prog"));
        QDir(root.path()).mkpath(QStringLiteral("data"));
        programDir = root.filePath(QStringLiteral("prog"));
        dataDir = root.filePath(QStringLiteral("data")) + QLatin1Char('/');
        settings = newSettings(QStringLiteral("山田"), dataDir, placement);
        settings.members[1] = {Field(QStringLiteral("鈴木")), Field(dataDir)};
        store.todoHeader = store.scheduleHeader = newListHeader();
        writeBytes(settingsPath(), serializeSettings(settings));
        saveFiles();
    }

    QString settingsPath() const { return programDir + QStringLiteral("/poruka.ini"); }
    QString todoPath() const { return dataDir + QStringLiteral("todo.dat"); }
    QString schedulePath() const { return dataDir + QStringLiteral("SCHE.DAT"); }
    QString memo(int n) const { return memoPath(dataDir, n); }

    // The list files as the store holds them.
    void saveFiles()
    {
        writeBytes(todoPath(), serializeList(store.todoHeader, store.todos));
        writeBytes(schedulePath(), serializeList(store.scheduleHeader, store.schedules));
    }

    // targetKind as the main window sets it: 1 new, 11 change ToDo, 12 change schedule.
    EntryContext context(int targetKind, QDate calendarDate = QDate(2026, 12, 24))
    {
        return EntryContext{.store = store,
                            .settings = settings,
                            .settingsPath = settingsPath(),
                            .ui = ui,
                            .time = time,
                            .mainWindow = mainWindow,
                            .calendarDate = calendarDate,
                            .targetKind = TargetKind(targetKind),
                            .row = selectedRow,
                            .itemAtOpen = {},
                            .placement = [this] { return placement; },
                            .trap = [this] { return FileErrorHandler(TrapVariant::Shared, ui, mainWindow, {}); },
                            .writeList = [this](ListKind kind) { return saveList(dataDir, kind, store); },
                            .recordEdit = [this](ListKind, const ListEdit& edit) { edits.append(edit); }};
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
