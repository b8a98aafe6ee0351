// Start-up: the settings file, the first start, the own lists.
#include "main_window/workspace.h"

#include "maintenance/conversion.h"
#include "maintenance/f_y2k.h"
#include "settings/f_ansyo.h"
#include "settings/password.h"
#include "store/list_file.h"
#include "ui/time_source.h"
#include "ui/ui.h"

#include <QDialog>
#include <QDir>
#include <QFileInfo>

bool Workspace::loadOwnListAtStartup(ListKind kind)
{
    FileErrorHandler handler = trap(TrapVariant::Startup);
    if (handler.run([&] { return createList(settings_.ownDirectory(), kind); }, Scope::Own, StepKind::Write).gaveUp)
        return false;
    // Carrying on with an empty list would overwrite the file at the next save.
    BusyPointer busy;
    if (!handler.readOrGiveUp([&] { return loadOwnList(settings_.ownDirectory(), kind, store_, &sync(kind)); },
                              Scope::Own))
        return false;
    const bool overflow = kind == ListKind::Todo ? !store_.todos.overflow.isEmpty() : !store_.schedules.overflow.isEmpty();
    if (kind == ListKind::Todo ? store_.todos.noLineEnds : store_.schedules.noLineEnds)
        tellNoLineEnds(resolvePath(settings_.ownDirectory(), listFileName(kind)));
    if (overflow)
        ui_.message(window_,
                    QStringLiteral("%1が30000件を越えています。\n最初の30000件だけを表示します。"
                                   "残りのデータはそのまま保存されます。")
                        .arg(kind == ListKind::Todo ? QStringLiteral("やること") : QStringLiteral("予定")),
                    MsgButtons::Ok, MsgIcon::Exclamation);
    return true;
}

void Workspace::tellNoLineEnds(const QString& path)
{
    ui_.message(window_,
                QStringLiteral("%1 には、ぽるかが項目として読み取れない形のデータがあります（行の区切りが見つかりません）。\n"
                               "ファイルの内容は消さずにそのまま残します。")
                    .arg(QDir::toNativeSeparators(path)),
                MsgButtons::Ok, MsgIcon::Exclamation);
}

bool Workspace::recoverSettings(FileErrorHandler& handler, const SettingsRead& read)
{
    const QString backup = settingsPath_ + QStringLiteral(".damaged-") +
                           time_.now().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    ui_.message(window_,
                QStringLiteral("設定ファイル（%1）の内容を読み取れませんでした。\n"
                               "自分の名前とデータを格納するディレクトリを、もう一度指定して下さい。\n"
                               "元のファイルは %2 として残します。")
                    .arg(QDir::toNativeSeparators(settingsPath_), QFileInfo(backup).fileName()),
                MsgButtons::Ok, MsgIcon::Exclamation);
    settings_ = salvageSettings(read);
    // Cancelled: nothing is written, the damaged file stays as it is.
    if (!editOwnSettings())
        return false;
    if (handler.run([&] { return copyFile(settingsPath_, backup); }, Scope::Own, StepKind::Write).gaveUp)
        return false;
    settings_.setPlacement(placement());
    return !handler.run([&] { return writeSettings(settingsPath_, settings_); }, Scope::Own, StepKind::Write).gaveUp;
}

bool Workspace::convertOldVersion(const QString& dataDirectory)
{
    for (;;) {
        F_Y2K dialog;
        if (ui_.runModal(dialog) != QDialog::Accepted)
            return false;
        switch (convertOldData(withTrailingSeparator(dataDirectory), programDir_, ui_, window_)) {
        case Conversion::Done: return true;
        case Conversion::Failed: return false;
        case Conversion::ListMissing: break;   // the choice again
        }
    }
}

bool Workspace::askPassword(FileErrorHandler& handler)
{
    PasswordRead stored;
    if (!handler.readOrGiveUp([&] { return (stored = readPasswordFile(passwordPath_)).status; }, Scope::Own))
        return false;
    F_ansyo prompt(stored.line, ui_);
    return ui_.runModal(prompt) == QDialog::Accepted;
}

Workspace::Start Workspace::start()
{
    archivePath(ListKind::Todo);
    archivePath(ListKind::Schedule);
    const QString programDir = withTrailingSeparator(programDir_);
    passwordPath_ = resolvePath(programDir, kPasswordFileName);
    settingsPath_ = resolvePath(programDir, kSettingsFileName);

    FileErrorHandler handler = trap(TrapVariant::Startup);
    const bool firstRun = !QFileInfo::exists(settingsPath_);
    bool converted = false;
    if (!firstRun) {
        // The first reading tells which major version wrote the data.
        SettingsRead first;
        if (!handler.readOrGiveUp([&] { return (first = readSettings(settingsPath_)).status; }, Scope::Own))
            return Start::End;
        if (bannerMajorVersion(first.settings.banner) == 1) {
            if (!convertOldVersion(first.settings.ownDirectory()))
                return Start::End;
            converted = true;
        }
    }
    if (QFileInfo::exists(passwordPath_) && !askPassword(handler))
        return Start::End;

    if (firstRun) {
        settings_ = newSettings(QString(), QString(), placement());
        // Cancelled: there is no data folder yet, so nothing may be written.
        if (!editOwnSettings())
            return Start::End;
        settings_.setPlacement(placement());
        handler.run([&] { return writeSettings(settingsPath_, settings_); }, Scope::Own, StepKind::Write);
    } else {
        // Empty settings would lose the data folder and the members at the next save.
        SettingsRead read;
        if (!handler.readOrGiveUp([&] { read = readSettings(settingsPath_); return read.status; }, Scope::Own))
            return Start::End;
        if (settingsUnderstood(read)) {
            settings_ = read.settings;
        } else if (!recoverSettings(handler, read)) {
            return Start::End;
        }
        addMissingSeparators(settings_);
        settings_.banner = Field::fromBytes(currentBanner());
        // Converted data are this version's now, and the settings say so at
        // once: a second start must not convert them again.
        if (converted && handler.run([&] { return writeSettings(settingsPath_, settings_); }, Scope::Own,
                                     StepKind::Write)
                             .gaveUp)
            return Start::End;
    }

    // What a save cut short by a crash left behind.
    removeLeftoverTemporaries(withTrailingSeparator(programDir_),
                              {kSettingsFileName, kDoneTodoFileName, kDoneScheduleFileName});
    removeLeftoverTemporaries(settings_.ownDirectory(), {kTodoFileName, kScheduleFileName});

    if (!loadOwnListAtStartup(ListKind::Todo) || !loadOwnListAtStartup(ListKind::Schedule))
        return Start::End;
    view_ = View::Own;
    shownMember_ = 0;
    return Start::Run;
}
