#pragma once
// A presenter on a program folder, an own data folder and a colleague's data
// folder in a temporary directory, with a scripted Ui, scripted dialogs and a
// fixed clock. No window and no widget: what the main window would do is done
// by calling the presenter.

#include "common/fake_ui.h"
#include "common/temp_files.h"
#include "fake_forms.h"
#include "main_window/presenter.h"
#include "store/list_file.h"
#include "store/memo.h"
#include "store/settings_file.h"
#include "ui/time_source.h"

#include <QDir>
#include <QTemporaryDir>
#include <memory>

struct PresenterFixture {
    QTemporaryDir root;
    QString programDir;
    QString dataDir;   // ends with the separator
    QString colleagueDir;   // ends with the separator
    FakeUi ui;
    FakeForms forms;
    FixedTimeSource time{QDateTime(QDate(2026, 12, 10), QTime(14, 50))};
    std::unique_ptr<Presenter> presenter;

    PresenterFixture()
    {
        for (const char* d : {"prog", "data", "colleague"})
            QDir(root.path()).mkpath(QLatin1String(d));
        programDir = root.filePath(QStringLiteral("prog"));
        dataDir = root.filePath(QStringLiteral("data")) + QLatin1Char('/');
        colleagueDir = root.filePath(QStringLiteral("colleague")) + QLatin1Char('/');
    }

    QString settingsPath() const { return programDir + QStringLiteral("/poruka.ini"); }
    QString todoPath() const { return dataDir + QStringLiteral("todo.dat"); }
    QString schedulePath() const { return dataDir + QStringLiteral("SCHE.DAT"); }
    QString archivePath(ListKind kind) const
    {
        return programDir +
            (kind == ListKind::Todo ? QStringLiteral("/todo_kan.dat") : QStringLiteral("/sche_kan.dat"));
    }

    // Settings naming the own data folder and colleague 1, 鈴木.
    void writeSettingsFile(long long memoCounter = 0)
    {
        AppSettings s = newSettings(QStringLiteral("山田"), dataDir, {0, 1500, 1500, 6975, 9450});
        s.members[1] = {Field(QStringLiteral("鈴木")), Field(colleagueDir)};
        s.memoCounter = Field::number(memoCounter);
        writeBytes(settingsPath(), serializeSettings(s));
    }

    template <class T> void writeList(const QString& path, const QList<T>& items)
    {
        ItemList<T> list;
        for (const T& i : items)
            list.append(i);
        writeBytes(path, serializeList(newListHeader(), list));
    }

    template <class T> void writeArchive(ListKind kind, const QList<T>& items)
    {
        ItemList<T> list;
        for (const T& i : items)
            list.append(i);
        writeBytes(archivePath(kind), serializeRecords(list));
    }

    // An office at work, for the tests of commands: ToDos 一番 (memo 11, a
    // spare field), 二番 (memo 12), 三番; appointments 会議 (memo 13, alarm)
    // and 忘年会; 済んだ件 (memo 14) archived; colleague 1 with 同僚の件 (memo 5).
    void writeOffice();

    bool start()
    {
        presenter = std::make_unique<Presenter>(programDir, ui, forms, time);
        return presenter->start() == Presenter::Start::Run;
    }

    const ItemStore& store() const { return presenter->store(); }
};

inline TodoItem todo(const char* date, const char* time, const QString& content, int memoNo = 0, int alarm = 0,
                     bool secret = false)
{
    TodoItem t;
    t.entryDate = Field("2026/12/01");
    t.date = Field(date);
    t.time = Field(time);
    t.content = Field(content);
    t.person = Field(QStringLiteral("山田"));
    t.memoNo = Field::number(memoNo);
    t.rank = Field::number(9999);
    t.alarm = Field::number(alarm);
    t.secret = secret ? Field("SECRET") : Field();
    return t;
}

inline ScheduleItem schedule(const char* date, const char* time, const QString& content, int memoNo = 0, int alarm = 0,
                             bool secret = false)
{
    ScheduleItem s;
    static_cast<OpenItem&>(s) = static_cast<const OpenItem&>(todo(date, time, content, memoNo, alarm, secret));
    return s;
}

template <class T> QStringList contents(const ItemList<T>& list)
{
    QStringList out;
    for (const T& item : list.items())
        out << item.content.text();
    return out;
}

inline void PresenterFixture::writeOffice()
{
    writeSettingsFile(20);
    TodoItem t1 = todo("2026/12/20", "10:00", QStringLiteral("一番"), 11);
    t1.spare = Field::fromBytes("\x85\x40spare");
    writeList(todoPath(),
              QList<TodoItem>{t1, todo("2026/12/21", "11:00", QStringLiteral("二番"), 12),
                              todo("2026/12/22", "12:00", QStringLiteral("三番"))});
    writeList(schedulePath(),
              QList<ScheduleItem>{schedule("2026/12/23", "13:00", QStringLiteral("会議"), 13, 1),
                                  schedule("2026/12/24", "99:99", QStringLiteral("忘年会"))});
    DoneTodoItem d;
    d.doneDate = Field("2026/12/01");
    d.date = Field("2026/11/30");
    d.content = Field(QStringLiteral("済んだ件"));
    d.memoNo = Field::number(14);
    writeArchive(ListKind::Todo, QList<DoneTodoItem>{d});
    for (int n : {11, 12, 13, 14})
        writeBytes(memoPath(dataDir, n), sjis(QStringLiteral("メモ%1\r\n").arg(n)));
    writeList(colleagueDir + "TODO.DAT", QList<TodoItem>{todo("2026/12/25", "09:00", QStringLiteral("同僚の件"), 5)});
    writeList(colleagueDir + "SCHE.DAT", QList<ScheduleItem>{});
    writeBytes(memoPath(colleagueDir, 5), sjis(QStringLiteral("同僚のメモ\r\n")));
}
