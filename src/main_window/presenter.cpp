#include "main_window/presenter.h"

#include "core/password.h"
#include "store/memo.h"
#include "ui/memo_editor.h"
#include "ui/time_source.h"
#include "ui/ui.h"

#include <QDir>

QString takenInNote(bool keptBoth)
{
    return keptBoth
        ? QStringLiteral("他のパソコンでの変更を取り込みました。両方で変更された項目は、両方とも残しました。")
        : QStringLiteral("他のパソコンでの変更を取り込みました。");
}

Presenter::Presenter(QString programDir, Ui& ui, Forms& forms, const TimeSource& time)
    : core_(std::move(programDir)), ui_(ui), forms_(forms), time_(time)
{
}

void Presenter::attachWindow(QWidget* window, std::function<WindowPlacement()> placement)
{
    window_ = window;
    core_.setPlacementSource(std::move(placement));
}

QString Presenter::helpDocumentPath() const
{
    return helpDocument_.isEmpty() ? programFile(core_.programDir(), QStringLiteral("poruka.wri")) : helpDocument_;
}

void Presenter::tell(const QString& text) { ui_.message(window_, text, MsgButtons::Ok, MsgIcon::Exclamation); }

FileErrorHandler Presenter::trap(TrapVariant variant)
{
    return FileErrorHandler(variant, ui_, window_,
                            {.memberDirectories = [this] { return askMembers(); },
                             .ownDirectory = [this] { return askOwnSettings(); },
                             .memoMissing = {}});
}

bool Presenter::askOwnSettings()
{
    const std::optional<OwnEntry> entry = forms_.ownSettings(core_.settings());
    if (entry) {
        QStringList failed;
        {
            const BusyPointer busy;
            failed = core_.changeOwnEntry(entry->name, entry->directory);
        }
        if (!failed.isEmpty())
            tell(QStringLiteral("次のメモファイルをコピーできませんでした。") + QLatin1Char('\n') +
                 failed.join(QLatin1Char('\n')));
    }
    emit membersChanged();
    return entry.has_value();
}

bool Presenter::askMembers()
{
    const std::optional<MemberEntry> entry = forms_.member(core_.settings());
    if (entry)
        core_.setMember(*entry);
    emit membersChanged();
    return entry.has_value();
}

Redisplay Presenter::editOwnSettings()
{
    askOwnSettings();
    return {};
}

Redisplay Presenter::editMembers()
{
    askMembers();
    // The colleague on display taken off the list: back to the own lists.
    if (view_ == View::Member && isFreeSlot(core_.settings(), shownMember_)) {
        view_ = View::Own;
        shownMember_ = 0;
        return wholeView();
    }
    return {};
}

Redisplay Presenter::editPassword()
{
    // The note says what was done last, set or removed, once the dialog closes.
    QString note;
    const auto noting = [&note](FileStatus status, const QString& text) {
        if (status.ok())
            note = text;
        return status;
    };
    forms_.passwordSettings(
        {.path = core_.passwordPath(),
         .isSet = [this] { return core_.hasPassword(); },
         .set =
             [&](const QByteArray& line) {
                 return noting(core_.writePassword(line), QStringLiteral("パスワードを設定しました"));
             },
         .remove = [&] { return noting(core_.removePassword(), QStringLiteral("パスワードを解除しました")); }});
    Redisplay d;
    d.status = note;
    return d;
}

JobResult Presenter::run(Job job, StepRunner& runner, Redisplay& display)
{
    const Command command = job.command;
    const JobResult result = core_.run(std::move(job), runner);
    if (result.begun())
        display.status = doneNote(command);
    if (result.merged)
        display.status += takenInNote(result.keptBoth);
    return result;
}

bool Presenter::quit()
{
    FileErrorHandler handler = trap(TrapVariant::Shared);
    const Core::SaveAll saved = core_.saveAll(handler);
    if (!saved.saved)
        ui_.message(window_,
                    QStringLiteral("保存できなかったデータがあります。\n"
                                   "データを失わないよう、ぽるかを終了せずに画面に戻ります。"),
                    MsgButtons::Ok, MsgIcon::Exclamation);
    return saved.saved;
}

EntryContext Presenter::entryContext(TargetKind kind, int row, const QDate& calendarDate)
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

void Presenter::editMemo()
{
    if (memoEditPath_.isEmpty()) {
        ui_.message(window_, QStringLiteral("この項目にはメモがありません。"), MsgButtons::Ok, MsgIcon::Information);
        return;
    }
    const QString cannotOpen =
        QStringLiteral("メモファイル（%1）を開けませんでした。").arg(QDir::toNativeSeparators(memoEditPath_));
    if (fileSize(memoEditPath_) < 0)
        tell(cannotOpen);
    else if (!ui_.editMemo(memoEditPath_))
        // The file is there: what is missing is a program to open it with.
        tell(cannotOpen +
             QStringLiteral("\nメモを開くテキストエディタが見つかりません。%1 のどれかをインストールするか、"
                            "環境変数 %2 に使うエディタのコマンドを書いて下さい"
                            "（%f がメモファイルの場所になります）。")
                 .arg(knownMemoEditors().join(QStringLiteral("、")), QLatin1String(kMemoEditorVariable)));
}

void Presenter::openHelp()
{
    const QString path = helpDocumentPath();
    if (fileSize(path) < 0 || !ui_.openWithShell(path))
        tell(QStringLiteral("使い方の文書（%1）を開けませんでした。\n"
                            "ワープロ（LibreOffice Writer など）がインストールされているか確かめて下さい。")
                 .arg(QDir::toNativeSeparators(path)));
}

void Presenter::search()
{
    forms_.search(SearchContext{.dataDirectory = core_.settings().ownDirectory(),
                                .programDirectory = core_.programDir(),
                                .ui = ui_,
                                .mainWindow = window_,
                                .trap = [this] { return trap(TrapVariant::Shared); },
                                .memoEditPath = [this] { return memoEditPath_; },
                                .setMemoEditPath = [this](const QString& path) { memoEditPath_ = path; }});
}
