// Start-up: the settings file, the first start, the own lists.
#include "main_window/presenter.h"

#include "core/conversion.h"
#include "core/password.h"
#include "maintenance/old_data.h"
#include "store/list_file.h"
#include "ui/time_source.h"
#include "ui/ui.h"

#include <QDir>
#include <QFileInfo>

bool Presenter::loadOwnListAtStartup(ListKind kind)
{
    FileErrorHandler handler = trap(TrapVariant::Startup);
    if (handler.run([&] { return core_.createOwnList(kind); }, Scope::Own, StepKind::Write).gaveUp)
        return false;
    // Carrying on with an empty list would overwrite the file at the next save.
    BusyPointer busy;
    if (!handler.readOrGiveUp([&] { return core_.loadOwnList(kind); }, Scope::Own))
        return false;
    const ItemStore& store = core_.store();
    const bool overflow =
        kind == ListKind::Todo ? !store.todos.overflow.isEmpty() : !store.schedules.overflow.isEmpty();
    if (kind == ListKind::Todo ? store.todos.noLineEnds : store.schedules.noLineEnds)
        tellNoLineEnds(resolvePath(core_.settings().ownDirectory(), listFileName(kind)));
    if (overflow)
        ui_.message(window_,
                    QStringLiteral("%1が30000件を越えています。\n最初の30000件だけを表示します。"
                                   "残りのデータはそのまま保存されます。")
                        .arg(kind == ListKind::Todo ? QStringLiteral("やること") : QStringLiteral("予定")),
                    MsgButtons::Ok, MsgIcon::Exclamation);
    return true;
}

void Presenter::tellNoLineEnds(const QString& path)
{
    ui_.message(
        window_,
        QStringLiteral("%1 には、ぽるかが項目として読み取れない形のデータがあります（行の区切りが見つかりません）。\n"
                       "ファイルの内容は消さずにそのまま残します。")
            .arg(QDir::toNativeSeparators(path)),
        MsgButtons::Ok, MsgIcon::Exclamation);
}

bool Presenter::recoverSettings(FileErrorHandler& handler, const SettingsRead& read)
{
    const QString& settingsPath = core_.settingsPath();
    const QString backup =
        settingsPath + QStringLiteral(".damaged-") + time_.now().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    ui_.message(window_,
                QStringLiteral("設定ファイル（%1）の内容を読み取れませんでした。\n"
                               "自分の名前とデータを格納するディレクトリを、もう一度指定して下さい。\n"
                               "元のファイルは %2 として残します。")
                    .arg(QDir::toNativeSeparators(settingsPath), QFileInfo(backup).fileName()),
                MsgButtons::Ok, MsgIcon::Exclamation);
    core_.setSettings(salvageSettings(read));
    // Cancelled: nothing is written, the damaged file stays as it is.
    if (!askOwnSettings())
        return false;
    if (handler.run([&] { return copyFile(settingsPath, backup); }, Scope::Own, StepKind::Write).gaveUp)
        return false;
    return !handler.run([&] { return core_.writeSettingsFile(); }, Scope::Own, StepKind::Write).gaveUp;
}

bool Presenter::convertOldVersion(const QString& dataDirectory)
{
    for (;;) {
        if (!forms_.convertOldData())
            return false;
        switch (convertOldData(withTrailingSeparator(dataDirectory), core_.programDir(), ui_, window_)) {
        case Conversion::Done:
            return true;
        case Conversion::Failed:
            return false;
        case Conversion::ListMissing:
            break;   // the choice again
        }
    }
}

bool Presenter::askPassword(FileErrorHandler& handler)
{
    PasswordRead stored;
    if (!handler.readOrGiveUp([&] { return (stored = readPasswordFile(core_.passwordPath())).status; }, Scope::Own))
        return false;
    return forms_.password(stored.line);
}

Presenter::Start Presenter::start()
{
    core_.resolvePaths();
    const QString& settingsPath = core_.settingsPath();

    FileErrorHandler handler = trap(TrapVariant::Startup);
    const bool firstRun = !fileExists(settingsPath);
    bool converted = false;
    if (!firstRun && conversionUnfinished(core_.programDir())) {
        // A conversion the user agreed to, cut short by a crash: finished first.
        if (finishOldDataConversion(core_.programDir(), ui_, window_) != Conversion::Done)
            return Start::End;
        converted = true;
    } else if (!firstRun) {
        // The first reading tells which major version wrote the data.
        SettingsRead first;
        if (!handler.readOrGiveUp([&] { return (first = readSettings(settingsPath)).status; }, Scope::Own))
            return Start::End;
        if (bannerMajorVersion(first.settings.banner) == 1) {
            if (!convertOldVersion(first.settings.ownDirectory()))
                return Start::End;
            converted = true;
        }
    }
    if (fileExists(core_.passwordPath()) && !askPassword(handler))
        return Start::End;

    if (firstRun) {
        core_.setSettings(newSettings(QString(), QString(), core_.placement()));
        // Cancelled: there is no data folder yet, so nothing may be written.
        if (!askOwnSettings())
            return Start::End;
        (void)handler.run([&] { return core_.writeSettingsFile(); }, Scope::Own, StepKind::Write);
    } else {
        // Empty settings would lose the data folder and the members at the next save.
        SettingsRead read;
        if (!handler.readOrGiveUp(
                [&] {
                    read = readSettings(settingsPath);
                    return read.status;
                },
                Scope::Own))
            return Start::End;
        if (settingsUnderstood(read)) {
            core_.setSettings(read.settings);
        } else if (!recoverSettings(handler, read)) {
            return Start::End;
        }
        AppSettings& settings = core_.settings();
        addMissingSeparators(settings);
        settings.banner = Field::fromBytes(currentBanner());
        // Converted data are this version's now, and the settings say so at
        // once: a second start must not convert them again. Only then is
        // the conversion's record done with.
        if (converted) {
            if (handler.run([&] { return writeSettings(settingsPath, settings); }, Scope::Own, StepKind::Write).gaveUp)
                return Start::End;
            (void)handler.run([&] { return closeConversion(core_.programDir()); }, Scope::Own, StepKind::Write);
        }
    }

    // What writes cut short by a crash left behind, and what commands a crash
    // (or a step given up) left half done: finished before anything else.
    core_.removeLeftovers();
    QString damagedJobs;
    if (!handler.readOrGiveUp([&] { return core_.readJobs(&damagedJobs); }, Scope::Own))
        return Start::End;
    if (!damagedJobs.isEmpty())
        ui_.message(window_,
                    QStringLiteral("前回の終了時に途中だった操作の記録を読み取れませんでした。\n"
                                   "記録は %1 として残します。")
                        .arg(damagedJobs),
                    MsgButtons::Ok, MsgIcon::Exclamation);

    if (!loadOwnListAtStartup(ListKind::Todo) || !loadOwnListAtStartup(ListKind::Schedule))
        return Start::End;
    if (core_.hasPendingJobs()) {
        core_.redoJobsInMemory();
        (void)core_.finishJobs(handler);
    }
    view_ = View::Own;
    shownMember_ = 0;
    return Start::Run;
}
