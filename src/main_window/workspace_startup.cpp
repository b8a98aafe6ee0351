// Start-up: the settings file, the first start, the own lists.
#include "main_window/workspace.h"

#include "store/list_file.h"
#include "ui/ui.h"

#include <QFileInfo>

bool Workspace::loadOwnListAtStartup(ListKind kind)
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
        ui_.message(window_,
                    QStringLiteral("%1が30000件を越えています。\n最初の30000件だけを表示します。"
                                   "残りのデータはそのまま保存されます。")
                        .arg(kind == ListKind::Todo ? QStringLiteral("やること") : QStringLiteral("予定")),
                    MsgButtons::Ok, MsgIcon::Exclamation);
    return true;
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
        if (!readOrGiveUp(handler, [&] { read = readSettings(settingsPath_); return read.status; }, Scope::Own))
            return Start::End;
        settings_ = read.settings;
        settings_.banner = Field::fromBytes(currentBanner());
    }

    if (!loadOwnListAtStartup(ListKind::Todo) || !loadOwnListAtStartup(ListKind::Schedule))
        return Start::End;
    view_ = View::Own;
    shownMember_ = 0;
    return Start::Run;
}
