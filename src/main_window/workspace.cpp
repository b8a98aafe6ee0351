#include "main_window/workspace.h"

#include "settings/f_memdata.h"
#include "settings/f_mydata.h"
#include "ui/time_source.h"
#include "ui/ui.h"

#include <QDialog>

Workspace::Workspace(QString programDir, Ui& ui, const TimeSource& time)
    : core_(std::move(programDir)), ui_(ui), time_(time)
{
}

void Workspace::attachWindow(QWidget* window, std::function<WindowPlacement()> placement)
{
    window_ = window;
    core_.setPlacementSource(std::move(placement));
}

FileErrorHandler Workspace::trap(TrapVariant variant)
{
    return FileErrorHandler(variant, ui_, window_,
                            {.memberDirectories = [this] { return editMembers(); },
                             .ownDirectory = [this] { return editOwnSettings(); },
                             .memoMissing = {}});
}

bool Workspace::editOwnSettings()
{
    F_mydata dialog(core_.settings(), core_.store(), core_.programDir(), ui_, window_);
    const bool accepted = ui_.runModal(dialog) == QDialog::Accepted;
    emit membersChanged();
    return accepted;
}

bool Workspace::editMembers()
{
    F_memdata dialog(core_.settings(), ui_, window_);
    const bool accepted = ui_.runModal(dialog) == QDialog::Accepted;
    emit membersChanged();
    return accepted;
}

JobResult Workspace::run(Job job, StepRunner& runner)
{
    const JobResult result = core_.run(std::move(job), runner);
    if (result.merged)
        emit ownListMerged(result.keptBoth);
    return result;
}

bool Workspace::saveAll()
{
    FileErrorHandler handler = trap(TrapVariant::Shared);
    const QString ownDirectory = core_.settings().ownDirectory();
    bool saved = handler.run([&] { return core_.writeSettingsFile(); }, Scope::Own, StepKind::Write).ok();
    bool merged = false, keptBoth = false;
    for (ListKind kind : {ListKind::Todo, ListKind::Schedule})
        saved = handler.run([&] { return core_.writeOwnList(kind, &merged, &keptBoth); }, Scope::Own, StepKind::Write)
                    .ok() &&
                saved;
    // What commands left undone (a memo to remove, say) is done now.
    saved = core_.finishJobs(handler).state == JobResult::State::Done && saved;
    if (merged)
        emit ownListMerged(keptBoth);
    // The user chose another data folder on the way: the settings must name it.
    if (core_.settings().ownDirectory() != ownDirectory)
        saved = handler.run([&] { return core_.writeSettingsFile(); }, Scope::Own, StepKind::Write).ok() && saved;
    if (!saved)
        ui_.message(window_,
                    QStringLiteral("保存できなかったデータがあります。\n"
                                   "データを失わないよう、ぽるかを終了せずに画面に戻ります。"),
                    MsgButtons::Ok, MsgIcon::Exclamation);
    return saved;
}

SearchContext Workspace::searchContext()
{
    return SearchContext{.dataDirectory = core_.settings().ownDirectory(),
                         .programDirectory = core_.programDir(),
                         .ui = ui_,
                         .mainWindow = window_,
                         .trap = [this] { return trap(TrapVariant::Shared); },
                         .memoEditPath = [this] { return memoEditPath_; },
                         .setMemoEditPath = [this](const QString& path) { memoEditPath_ = path; }};
}

EntryContext Workspace::entryContext(TargetKind kind, int row, const QDate& calendarDate)
{
    const ItemStore& store = core_.store();
    QByteArray itemAtOpen;
    if (kind == TargetKind::ChangeTodo && row >= 1 && row <= store.todos.count())
        itemAtOpen = recordBytes(store.todos[row]);
    else if (kind == TargetKind::ChangeSchedule && row >= 1 && row <= store.schedules.count())
        itemAtOpen = recordBytes(store.schedules[row]);
    return EntryContext{.core = core_,
                        .ui = ui_,
                        .time = time_,
                        .mainWindow = window_,
                        .calendarDate = calendarDate,
                        .targetKind = kind,
                        .row = row,
                        .itemAtOpen = itemAtOpen,
                        .trap = [this] { return trap(TrapVariant::Shared); }};
}

QString Workspace::chooseNextAlarm(const QString& after, bool inclusive)
{
    const AlarmChoice choice =
        chooseAlarm(core_.store(), after, inclusive, time_.today().toString(QStringLiteral("yyyy/MM/dd")));
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
