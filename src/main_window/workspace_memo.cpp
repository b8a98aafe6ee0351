// The memo panel: the memo of the item in a grid's current row.
#include "main_window/workspace.h"

#include "store/memo.h"
#include "ui/ui.h"

int Workspace::memoNumberAt(ListChoice list, int row) const
{
    return withShownList(list, [row](const auto& items) {
        return row >= 1 && row <= items.count() ? memoNumber(items[row].memoNo) : 0;
    });
}

QString Workspace::showMemo(ListChoice list, int row)
{
    const int memoNo = list == ListChoice::None ? 0 : memoNumberAt(list, row);
    if (memoNo == 0) {
        memoEditPath_.clear();
        return {};
    }
    // A colleague's memo is read from the colleague's folder and never edited.
    const bool member = view_ == View::Member;
    const QString dir = member ? core_.settings().memberDirectory(shownMember_) : core_.settings().ownDirectory();
    memoEditPath_ = member ? QString() : memoPath(core_.settings().ownDirectory(), memoNo);
    return readMemoText(dir, memoNo);
}

QString Workspace::readMemoText(const QString& directory, int memoNo)
{
    MemoRead read;
    FileErrorHandler handler(TrapVariant::Memo, ui_, window_,
                             {.memberDirectories = {},
                              .ownDirectory = {},
                              .memoMissing = [&](const FileStatus&) {
                                  ui_.message(window_, memoMissingMessage(memoNo), MsgButtons::Ok,
                                              MsgIcon::Exclamation);
                              }});
    handler.run([&] { return (read = readMemoStart(resolvePath(directory, memoFileName(memoNo)))).status; }, Scope::Own,
                StepKind::Read);
    return read.status.ok() ? read.text : QString();
}
