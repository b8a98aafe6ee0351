#pragma once
// A program folder and a data folder in a temporary directory, and a main
// window started on them with a scripted Ui and a fixed clock.

#include "common/fake_ui.h"
#include "common/temp_files.h"
#include "main_window/main_form.h"
#include "store/list_file.h"
#include "store/settings_file.h"
#include "ui/time_source.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <memory>

struct MainFormFixture {
    QTemporaryDir root;
    QString programDir;
    QString dataDir;   // ends with the separator
    FakeUi ui;
    FixedTimeSource time{QDateTime(QDate(2026, 12, 10), QTime(14, 50))};
    std::unique_ptr<Main_Form> form;

    MainFormFixture()
    {
        QDir(root.path()).mkpath(QStringLiteral("prog"));
        QDir(root.path()).mkpath(QStringLiteral("data"));
        programDir = root.filePath(QStringLiteral("prog"));
        dataDir = root.filePath(QStringLiteral("data")) + QLatin1Char('/');
    }

    QString settingsPath() const { return programDir + QStringLiteral("/poruka.ini"); }

    // A settings file naming the data folder, as an earlier run would leave it.
    void writeSettingsFile(const QString& ownName = QStringLiteral("山田"))
    {
        AppSettings s = newSettings(ownName, dataDir, {0, 1500, 1500, 6975, 9450});
        writeBytes(settingsPath(), serializeSettings(s));
    }

    template <class T> void writeList(const QString& name, const QList<T>& items, const QString& dir = {})
    {
        ItemList<T> list;
        for (const T& i : items)
            list.append(i);
        writeBytes((dir.isEmpty() ? dataDir : dir) + name, serializeList(newListHeader(), list));
    }

    bool start()
    {
        form = std::make_unique<Main_Form>(programDir, ui, time);
        return form->Form_Load();
    }

    const ItemStore& store() const { return form->presenter().store(); }
    const AppSettings& settings() const { return form->presenter().settings(); }

    // Scripts the first-run dialog: name and data folder typed, then 決定.
    void acceptOwnSettings(const QString& name, const QString& dir)
    {
        ui.onDialog(QStringLiteral("F_mydata"), [name, dir](QDialog& d) {
            d.findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(name);
            d.findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(dir);
            d.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
            return d.result();
        });
    }
};

inline TodoItem todo(const char* date, const char* time, const QString& content, const QString& person, int memoNo = 0,
                     int alarm = 0, bool secret = false)
{
    TodoItem t;
    t.entryDate = Field("2026/12/01");
    t.date = Field(date);
    t.time = Field(time);
    t.content = Field(content);
    t.person = Field(person);
    t.memoNo = Field::number(memoNo);
    t.rank = Field::number(9999);
    t.alarm = Field::number(alarm);
    t.secret = secret ? Field("SECRET") : Field();
    return t;
}

inline ScheduleItem schedule(const char* date, const char* time, const QString& content, const QString& person,
                             int memoNo = 0, int alarm = 0, bool secret = false)
{
    ScheduleItem s;
    static_cast<OpenItem&>(s) = static_cast<const OpenItem&>(todo(date, time, content, person, memoNo, alarm, secret));
    return s;
}
