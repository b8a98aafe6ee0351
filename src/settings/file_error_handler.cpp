#include "settings/file_error_handler.h"

#include "ui/ui.h"

#include <QDir>

FileErrorHandler::FileErrorHandler(TrapVariant variant, Ui& ui, QWidget* parent, Repairs repairs)
    : variant_(variant), ui_(ui), parent_(parent), repairs_(std::move(repairs))
{
}

TrapResult FileErrorHandler::run(const std::function<FileStatus()>& step, Scope scope, StepKind kind)
{
    for (;;) {
        TrapResult result{step(), false};
        if (result.ok())
            return result;
        switch (react(result.status, scope, kind)) {
        case Next::Retry:
            continue;
        case Next::Continue:
            return result;
        case Next::GiveUp:
            result.gaveUp = true;
            return result;
        }
    }
}

bool FileErrorHandler::readOrGiveUp(const std::function<FileStatus()>& read, Scope scope)
{
    for (;;) {
        const TrapResult r = run(read, scope, StepKind::Read);
        if (r.ok())
            return true;
        if (r.gaveUp)
            return false;
        QString text = QStringLiteral("%1 を読み込めませんでした。").arg(QDir::toNativeSeparators(r.status.path));
        if (!r.status.detail().isEmpty())
            text += QStringLiteral("\n(%1)").arg(r.status.detail());
        if (ui_.message(parent_, text, MsgButtons::RetryCancel, MsgIcon::Critical) != MsgAnswer::Retry)
            return false;
    }
}

FileErrorHandler::Next FileErrorHandler::react(const FileStatus& status, Scope scope, StepKind kind)
{
    switch (status.error) {
    case FileError::None:
        return Next::Continue;

    case FileError::FileNotFound:
    case FileError::PathNotFound: {
        if (variant_ == TrapVariant::Memo) {
            if (status.error == FileError::FileNotFound && repairs_.memoMissing)
                repairs_.memoMissing(status);
            return Next::Continue;
        }
        const bool own = scope == Scope::Own || variant_ == TrapVariant::Startup;
        // Outside start-up the own folder may be gone for good: let the user stop.
        const bool mayStop = own && variant_ != TrapVariant::Startup;
        const MsgAnswer a = ui_.message(parent_, kInvalidPathMessage, mayStop ? MsgButtons::OkCancel : MsgButtons::Ok);
        if (a == MsgAnswer::Cancel)
            return Next::GiveUp;
        const auto& repair = own ? repairs_.ownDirectory : repairs_.memberDirectories;
        // A cancelled dialog changed nothing, so retrying would only fail again.
        return repair && repair() ? Next::Retry : Next::GiveUp;
    }

    case FileError::PermissionDenied:
        if (variant_ == TrapVariant::Memo)
            return Next::Continue;
        // OK tries again once the other program is done; キャンセル stops waiting
        // for it, which gives the step up like any other failure the user ends.
        return ui_.message(parent_, variant_ == TrapVariant::Startup ? kInUseByPersonMessage : kInUseByUserMessage,
                           MsgButtons::OkCancel) == MsgAnswer::Cancel
            ? Next::GiveUp
            : Next::Retry;

    case FileError::Other:
        if (kind == StepKind::Read || variant_ == TrapVariant::Memo)
            return Next::Continue;
        {
            // A write that failed for good must never pass in silence.
            QString text =
                QStringLiteral("ファイルに書き込めませんでした。\n%1").arg(QDir::toNativeSeparators(status.path));
            if (!status.detail().isEmpty())
                text += QStringLiteral("\n(%1)").arg(status.detail());
            text += QStringLiteral("\n再試行しますか？");
            return ui_.message(parent_, text, MsgButtons::RetryCancel, MsgIcon::Exclamation) == MsgAnswer::Retry
                ? Next::Retry
                : Next::GiveUp;
        }
    }
    return Next::Continue;
}
