#pragma once
// What the entry form is handed by the main window, built in a temporary
// folder: a program folder with poruka.ini, a data folder with both list
// files, the two grids and the memo panel on a stand-in main window, a
// scripted Ui and a fixed clock.

#include "common/fake_ui.h"
#include "common/temp_files.h"
#include "entry/entry_context.h"
#include "entry/f_kinyu.h"
#include "store/list_file.h"
#include "store/memo.h"
#include "store/settings_file.h"
#include "ui/grid.h"
#include "ui/time_source.h"

#include <QDir>
#include <QPlainTextEdit>
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
    QWidget main;
    Grid* grid1;
    Grid* grid2;
    QPlainTextEdit* mainMemo;
    WindowPlacement placement{0, 1500, 1500, 6975, 9450};
    QList<bool> alarmsArmed;   // sameMinute of each ArmAlarm

    EntryFixture()
        : grid1(new Grid(&main)), grid2(new Grid(&main)), mainMemo(new QPlainTextEdit(&main))
    {
        QDir(root.path()).mkpath(QStringLiteral("prog"));
        QDir(root.path()).mkpath(QStringLiteral("data"));
        programDir = root.filePath(QStringLiteral("prog"));
        dataDir = root.filePath(QStringLiteral("data")) + QLatin1Char('/');
        settings = newSettings(QStringLiteral("山田"), dataDir, placement);
        settings.members[1] = {Field(QStringLiteral("鈴木")), Field(dataDir)};
        store.todoHeader = store.scheduleHeader = newListHeader();
        for (Grid* g : {grid1, grid2}) {
            g->setCols(4);
            g->setRows(1);
        }
        main.setGeometry(100, 50, 1000, 800);
        writeBytes(settingsPath(), serializeSettings(settings));
        saveFiles();
    }

    QString settingsPath() const { return programDir + QStringLiteral("/poruka.ini"); }
    QString todoPath() const { return dataDir + QStringLiteral("todo.dat"); }
    QString schedulePath() const { return dataDir + QStringLiteral("SCHE.DAT"); }
    QString memo(int n) const { return memoPath(dataDir, n); }

    // The list files as the store holds them, and the grids showing them.
    void saveFiles()
    {
        writeBytes(todoPath(), serializeList(store.todoHeader, store.todos));
        writeBytes(schedulePath(), serializeList(store.scheduleHeader, store.schedules));
        showLists();
    }
    void showLists()
    {
        grid1->replaceItems(rowsOf(store.todos));
        grid2->replaceItems(rowsOf(store.schedules));
    }
    template <class T>
    static std::vector<QStringList> rowsOf(ItemList<T>& list)
    {
        std::vector<QStringList> rows;
        for (T& item : list.items()) {
            deriveShown(item);
            rows.push_back(rowCells(item));
        }
        return rows;
    }

    EntryContext context(int targetKind, QDate calendarDate = QDate(2026, 12, 24))
    {
        return EntryContext{store,
                            settings,
                            settingsPath(),
                            ui,
                            time,
                            *grid1,
                            *grid2,
                            *mainMemo,
                            &main,
                            calendarDate,
                            targetKind,
                            [this] { return placement; },
                            [this](bool sameMinute) { alarmsArmed.append(sameMinute); },
                            [this] { return FileErrorHandler(TrapVariant::Shared, ui, &main, {}); }};
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
