#include "main_window/workspace.h"

#include "settings/f_memdata.h"
#include "settings/f_mydata.h"
#include "ui/time_source.h"
#include "ui/ui.h"

#include <QDialog>
#include <QDir>

Workspace::Workspace(QString programDir, Ui& ui, const TimeSource& time)
    : programDir_(std::move(programDir)), ui_(ui), time_(time)
{
}

void Workspace::attachWindow(QWidget* window, std::function<WindowPlacement()> placement)
{
    window_ = window;
    placement_ = std::move(placement);
}

WindowPlacement Workspace::placement() const { return placement_ ? placement_() : settings_.placement(); }

FileErrorHandler Workspace::trap(TrapVariant variant)
{
    return FileErrorHandler(variant, ui_, window_,
                            {.memberDirectories = [this] { return editMembers(); },
                             .ownDirectory = [this] { return editOwnSettings(); },
                             .memoMissing = {}});
}

bool Workspace::editOwnSettings()
{
    F_mydata dialog(settings_, store_, programDir_, ui_, window_);
    const bool accepted = ui_.runModal(dialog) == QDialog::Accepted;
    emit membersChanged();
    return accepted;
}

bool Workspace::editMembers()
{
    F_memdata dialog(settings_, ui_, window_);
    const bool accepted = ui_.runModal(dialog) == QDialog::Accepted;
    emit membersChanged();
    return accepted;
}

const QString& Workspace::archivePath(ListKind kind)
{
    const QString dir = withTrailingSeparator(programDir_);
    if (kind == ListKind::Todo)
        return store_.doneTodoPath = resolvePath(dir, kDoneTodoFileName);
    return store_.doneSchedulePath = resolvePath(dir, kDoneScheduleFileName);
}

TrapResult Workspace::saveSettings(FileErrorHandler& handler)
{
    settings_.setPlacement(placement());
    return handler.run([&] { return writeSettings(settingsPath_, settings_); }, Scope::Own, StepKind::Write);
}

bool Workspace::saveAll()
{
    FileErrorHandler handler = trap(TrapVariant::Shared);
    const QString ownDirectory = settings_.ownDirectory();
    bool saved = saveSettings(handler).ok();
    for (ListKind kind : {ListKind::Todo, ListKind::Schedule})
        saved = handler.run([&] { return writeOwnList(kind); }, Scope::Own,
                            StepKind::Write)
                    .ok() &&
                saved;
    // The user chose another data folder on the way: the settings must name it.
    if (settings_.ownDirectory() != ownDirectory)
        saved = saveSettings(handler).ok() && saved;
    if (!saved)
        ui_.message(window_,
                    QStringLiteral("保存できなかったデータがあります。\n"
                                   "データを失わないよう、ぽるかを終了せずに画面に戻ります。"),
                    MsgButtons::Ok, MsgIcon::Exclamation);
    return saved;
}

SearchContext Workspace::searchContext()
{
    return SearchContext{.dataDirectory = settings_.ownDirectory(),
                         .programDirectory = programDir_,
                         .ui = ui_,
                         .mainWindow = window_,
                         .trap = [this] { return trap(TrapVariant::Shared); },
                         .memoEditPath = [this] { return memoEditPath_; },
                         .setMemoEditPath = [this](const QString& path) { memoEditPath_ = path; }};
}

EntryContext Workspace::entryContext(TargetKind kind, int row, const QDate& calendarDate)
{
    QByteArray itemAtOpen;
    if (kind == TargetKind::ChangeTodo && row >= 1 && row <= store_.todos.count())
        itemAtOpen = recordBytes(store_.todos[row]);
    else if (kind == TargetKind::ChangeSchedule && row >= 1 && row <= store_.schedules.count())
        itemAtOpen = recordBytes(store_.schedules[row]);
    return EntryContext{.store = store_,
                        .settings = settings_,
                        .settingsPath = settingsPath_,
                        .ui = ui_,
                        .time = time_,
                        .mainWindow = window_,
                        .calendarDate = calendarDate,
                        .targetKind = kind,
                        .row = row,
                        .itemAtOpen = itemAtOpen,
                        .placement = [this] { return placement(); },
                        .trap = [this] { return trap(TrapVariant::Shared); },
                        .writeList = [this](ListKind list) { return writeOwnList(list); },
                        .recordEdit = [this](ListKind list, const ListEdit& edit) {
                            ListJournal& j = journal(list);
                            switch (edit.kind) {
                            case ListEdit::Kind::Add: j.add(edit.after); break;
                            case ListEdit::Kind::Remove: j.remove(edit.before); break;
                            case ListEdit::Kind::Replace: j.replace(edit.before, edit.after); break;
                            }
                        }};
}

QString Workspace::chooseNextAlarm(const QString& after, bool inclusive)
{
    const AlarmChoice choice = chooseAlarm(store_, after, inclusive, time_.today().toString(QStringLiteral("yyyy/MM/dd")));
    if (choice.notice)
        alarmNotice_ = choice.notice;
    return choice.alarmTime;
}

QString Workspace::armAlarm(bool sameMinute)
{
    const QString now = time_.now().toString(QStringLiteral("HH:mm"));
    // A minute that has rung already is not chosen again (a registration in the
    // minute of a notice, say): the clock would not ring it twice, and the later
    // alarms of the day would wait behind it.
    const bool rangNow = rangAt_ == time_.today().toString(Qt::ISODate) + QLatin1Char(' ') + now;
    return chooseNextAlarm(now, sameMinute && !rangNow);
}

QString Workspace::armAlarmAfter(const QString& rang)
{
    // Counted from the minute that rang, not from now: an alarm that came due
    // while its notice was open is chosen, and rings at once.
    return chooseNextAlarm(rang, false);
}

std::optional<AlarmNotice> Workspace::alarmDue(const QString& alarmTime)
{
    rangAt_ = time_.today().toString(Qt::ISODate) + QLatin1Char(' ') + alarmTime;
    // No item ever rings at "23:59": going off then means none was chosen, and
    // the notice kept from an earlier choice is stale.
    if (alarmTime == kNoAlarm || !alarmNotice_)
        return std::nullopt;
    const QString today = time_.today().toString(QStringLiteral("yyyy/MM/dd"));
    if (dateKey(alarmNotice_->date) != today)
        return std::nullopt;
    return alarmNotice_;
}
