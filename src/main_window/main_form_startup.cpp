// Start-up and shutdown of the main window.
#include "main_window/main_form.h"

#include "settings/f_mydata.h"
#include "settings/f_memdata.h"
#include "settings/member_combo.h"
#include "store/list_file.h"
#include "ui/calendar.h"
#include "ui/clock.h"
#include "ui/grid.h"
#include "ui/time_source.h"
#include "ui/twips.h"
#include "ui/ui.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

namespace {

const QStringList kGridHeadings{QStringLiteral("年/月/日"), QStringLiteral("時:分"), QString(),
                                QStringLiteral("名前")};
constexpr int kColumnWidths[] = {1200, 700, 3700, 785};

QString todoTitle(int count) { return QStringLiteral("やること(%1件)").arg(count); }
QString scheduleTitle(int count) { return QStringLiteral("予定(%1件)").arg(count); }

void centreOnScreen(QWidget& w)
{
    if (const QScreen* screen = w.screen() ? w.screen() : QGuiApplication::primaryScreen()) {
        const QRect s = screen->availableGeometry();
        w.move(s.left() + (s.width() - w.width()) / 2, s.top() + (s.height() - w.height()) / 2);
    }
}

}  // namespace

FileErrorHandler Main_Form::trap(TrapVariant variant)
{
    return FileErrorHandler(variant, ui_, this,
                            {[this] { return showMemberDialog(); }, [this] { return showOwnSettingsDialog(); }, {}});
}

bool Main_Form::showOwnSettingsDialog()
{
    F_mydata dialog(settings_, store_, programDir_, ui_, this);
    const bool accepted = ui_.runModal(dialog) == QDialog::Accepted;
    refillMemberCombo();
    return accepted;
}

bool Main_Form::showMemberDialog()
{
    F_memdata dialog(settings_, ui_, this);
    const bool accepted = ui_.runModal(dialog) == QDialog::Accepted;
    refillMemberCombo();
    return accepted;
}

void Main_Form::refillMemberCombo()
{
    fillMemberCombo(*Combo1, settings_);
    // The combo keeps naming whoever's lists are on display.
    Combo1->setCurrentIndex(shownMember_);
}

void Main_Form::Menu_Settei_jibun_Click() { showOwnSettingsDialog(); }
void Main_Form::Menu_Settei_member_Click() { showMemberDialog(); }

WindowPlacement Main_Form::placement() const
{
    const int state = isMinimized() ? 1 : isMaximized() ? 2 : 0;
    return {state, pixelsToTwips(y()), pixelsToTwips(x()), pixelsToTwips(height()), pixelsToTwips(width())};
}

void Main_Form::restorePlacement()
{
    const WindowPlacement p = settings_.placement();
    if (p.state == 2) {
        setWindowState(Qt::WindowMaximized);
        return;
    }
    if (p.state == 1)
        setWindowState(Qt::WindowMinimized);
    if (p.state != 0 || p.width <= 0 || p.height <= 0)
        return;
    const QRect wanted(twipsToPixels(p.left), twipsToPixels(p.top), twipsToPixels(p.width), twipsToPixels(p.height));
    resize(wanted.size());
    // A window remembered on a screen that is no longer there comes back centred.
    const QScreen* screen = QGuiApplication::screenAt(wanted.center());
    if (screen || QGuiApplication::screens().size() <= 1)
        move(wanted.topLeft());
    else
        centreOnScreen(*this);
}

void Main_Form::setUpGrid(Grid& grid, const QString& title)
{
    grid.setRows(1);
    grid.setCols(4);
    for (int c = 0; c < 4; ++c) {
        grid.setColumnWidth(c, kColumnWidths[c]);
        grid.setColumnAlignment(c, Qt::AlignCenter);
        grid.setRow(0);
        grid.setCol(c);
        grid.setText(c == 2 ? title : kGridHeadings[c]);
    }
}

void Main_Form::writeListTitles(int todoCount, int scheduleCount)
{
    for (const auto& [grid, title] : {std::pair{Grid1, todoTitle(todoCount)}, {Grid2, scheduleTitle(scheduleCount)}}) {
        grid->setRow(0);
        grid->setCol(2);
        grid->setText(title);
    }
}

void Main_Form::ArmAlarm(bool sameMinute)
{
    const QString now = time_.now().toString(QStringLiteral("HH:mm"));
    // A minute that has rung already is not chosen again (a registration in the
    // minute of a notice, say): the clock would not ring it twice, and the later
    // alarms of the day would wait behind it.
    const bool rangNow = rangAt_ == time_.today().toString(Qt::ISODate) + QLatin1Char(' ') + now;
    const AlarmChoice choice = chooseAlarm(store_, now, sameMinute && !rangNow);
    CurTime1->setAlarmTime(choice.alarmTime);
    if (choice.notice)
        alarmNotice_ = choice.notice;
}

bool Main_Form::readOrGiveUp(FileErrorHandler& handler, const std::function<FileStatus()>& read, Scope scope)
{
    for (;;) {
        const TrapResult r = handler.run(read, scope, StepKind::Read);
        if (r.ok())
            return true;
        if (r.gaveUp)
            return false;
        QString text = QStringLiteral("%1 を読み込めませんでした。").arg(QDir::toNativeSeparators(r.status.path));
        if (!r.status.detail().isEmpty())
            text += QStringLiteral("\n(%1)").arg(r.status.detail());
        if (ui_.message(this, text, MsgButtons::RetryCancel, MsgIcon::Critical) != MsgAnswer::Retry)
            return false;
    }
}

bool Main_Form::loadOwnListAtStartup(ListKind kind)
{
    FileErrorHandler handler = trap(TrapVariant::Startup);
    if (handler.run([&] { return createList(settings_.ownDirectory(), kind); }, Scope::Own, StepKind::Write).gaveUp)
        return false;
    // Carrying on with an empty list would overwrite the file at the next save.
    BusyPointer busy;
    if (!readOrGiveUp(handler, [&] { return loadOwnList(settings_.ownDirectory(), kind, store_); }, Scope::Own))
        return false;
    const bool overflow = kind == ListKind::Todo ? !store_.todos.overflow.isEmpty() : !store_.schedules.overflow.isEmpty();
    if (overflow)
        ui_.message(this,
                    QStringLiteral("%1が30000件を越えています。\n最初の30000件だけを表示します。"
                                   "残りのデータはそのまま保存されます。")
                        .arg(kind == ListKind::Todo ? QStringLiteral("やること") : QStringLiteral("予定")),
                    MsgButtons::Ok, MsgIcon::Exclamation);
    return true;
}

bool Main_Form::Form_Load()
{
    centreOnScreen(*this);
    setWindowTitle(kAppTitle);

    const QString programDir = withTrailingSeparator(programDir_);
    store_.doneTodoPath = programFile(programDir_, kDoneTodoFileName);
    store_.doneSchedulePath = programFile(programDir_, kDoneScheduleFileName);
    passwordPath_ = resolvePath(programDir, kPasswordFileName);
    settingsPath_ = resolvePath(programDir, kSettingsFileName);

    FileErrorHandler handler = trap(TrapVariant::Startup);
    const bool firstRun = !QFileInfo::exists(settingsPath_);
    if (!firstRun) {
        SettingsRead first;
        handler.run([&] { first = readSettings(settingsPath_); return first.status; }, Scope::Own, StepKind::Read);
        if (bannerMajorVersion(first.settings.banner) == 1) {
            // The conversion of data from the previous major version will run here.
        }
    }
    if (QFileInfo::exists(passwordPath_)) {
        // The password prompt will run here.
    }

    if (firstRun) {
        settings_ = newSettings(QString(), QString(), placement());
        // Cancelled: there is no data folder yet, so nothing may be written.
        if (!showOwnSettingsDialog())
            return false;
        settings_.setPlacement(placement());
        handler.run([&] { return writeSettings(settingsPath_, settings_); }, Scope::Own, StepKind::Write);
    } else {
        // Empty settings would lose the data folder and the members at the next save.
        SettingsRead second;
        if (!readOrGiveUp(handler, [&] { second = readSettings(settingsPath_); return second.status; }, Scope::Own))
            return false;
        settings_ = second.settings;
        settings_.banner = Field::fromBytes(currentBanner());
    }

    memberSlotCount_ = kMemberSlots;
    if (!loadOwnListAtStartup(ListKind::Todo) || !loadOwnListAtStartup(ListKind::Schedule))
        return false;

    restorePlacement();
    setUpGrid(*Grid1, todoTitle(store_.todoCount()));
    setUpGrid(*Grid2, scheduleTitle(store_.scheduleCount()));
    ArmAlarm(true);
    showOwnRows();

    fillMemberCombo(*Combo1, settings_);
    CSCalendar1->setDate(time_.today());
    ownListsShown_ = true;
    Command11->setEnabled(false);
    return true;
}

TrapResult Main_Form::saveSettings(FileErrorHandler& handler)
{
    settings_.setPlacement(placement());
    return handler.run([&] { return writeSettings(settingsPath_, settings_); }, Scope::Own, StepKind::Write);
}

bool Main_Form::saveAll()
{
    FileErrorHandler handler = trap(TrapVariant::Shared);
    const QString ownDirectory = settings_.ownDirectory();
    bool saved = saveSettings(handler).ok();
    for (ListKind kind : {ListKind::Todo, ListKind::Schedule})
        saved = handler.run([&] { return saveList(settings_.ownDirectory(), kind, store_); }, Scope::Own,
                            StepKind::Write)
                    .ok() &&
                saved;
    // The user chose another data folder on the way: the settings must name it.
    if (settings_.ownDirectory() != ownDirectory)
        saved = saveSettings(handler).ok() && saved;
    if (!saved)
        ui_.message(this,
                    QStringLiteral("保存できなかったデータがあります。\n"
                                   "データを失わないよう、ぽるかを終了せずに画面に戻ります。"),
                    MsgButtons::Ok, MsgIcon::Exclamation);
    return saved;
}

bool Main_Form::cmd_syuryo_Click()
{
    if (!saveAll())
        return false;
    closing_ = true;
    close();
    return true;
}
