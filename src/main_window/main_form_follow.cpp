// Following the files on display: another copy of the program on the same
// data folder, a colleague's program writing the colleague's lists.
#include "main_window/main_form.h"

#include "ui/grid.h"

#include <QApplication>
#include <QFileSystemWatcher>
#include <QStatusBar>
#include <QTimer>

namespace {

// Network shares often send no change notices: the files are looked at this
// often all the same.
constexpr int kLookEveryMs = 2000;

}  // namespace

void Main_Form::startFollowingFiles()
{
    watcher_ = new QFileSystemWatcher(this);
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this, [this] {
        // A burst of changes (a rename, a memo) is looked at once.
        followTimer_->start(200);
    });
    followTimer_ = new QTimer(this);
    followTimer_->setSingleShot(true);
    connect(followTimer_, &QTimer::timeout, this, &Main_Form::followFiles);
    auto* regular = new QTimer(this);
    connect(regular, &QTimer::timeout, this, &Main_Form::followFiles);
    regular->start(kLookEveryMs);
    connect(&workspace_, &Workspace::ownListMerged, this, [this](bool keptBoth) {
        if (workspace_.view() == View::Own)
            showRowsKeepingChoice();
        tellTakenIn(keptBoth);
    });
    watchFolders();
}

void Main_Form::watchFolders()
{
    if (!watcher_)
        return;
    if (!watcher_->directories().isEmpty())
        watcher_->removePaths(watcher_->directories());
    const QStringList folders = workspace_.watchedFolders();
    if (!folders.isEmpty())
        watcher_->addPaths(folders);
}

void Main_Form::followFiles()
{
    // Not while a command works (a sort yielding to events) or a dialog is
    // open on a row: the lists must not move under them. The next look comes soon.
    if (busy_ || QApplication::activeModalWidget())
        return;
    const Workspace::FilesChanged changed = workspace_.followFiles();
    if ((changed.ownLists && workspace_.view() == View::Own) ||
        (changed.memberLists && workspace_.view() == View::Member))
        showRowsKeepingChoice();
    if (changed.ownRecords)
        tellTakenIn(changed.keptBoth);
    if (changed.ownLists || changed.memberLists)
        armAlarm(true);
    watchFolders();
}

void Main_Form::showRowsKeepingChoice()
{
    // The item chosen in each grid stays chosen where it still is.
    QByteArray chosen[2];
    int at[2] = {0, 0};
    for (int g = 0; g < 2; ++g) {
        const ListChoice list = g == 0 ? ListChoice::Todo : ListChoice::Schedule;
        at[g] = gridOf(list)->row();
        if (at[g] >= 1 && at[g] <= (g == 0 ? workspace_.shownTodoCount() : workspace_.shownScheduleCount()))
            chosen[g] = workspace_.itemBytes(list, at[g]);
    }
    loading_ = true;
    showRows();
    writeListTitles(workspace_.shownTodoCount(), workspace_.shownScheduleCount());
    for (int g = 0; g < 2; ++g) {
        const ListChoice list = g == 0 ? ListChoice::Todo : ListChoice::Schedule;
        const int row = chosen[g].isEmpty() ? 0 : workspace_.rowOf(list, chosen[g], at[g]);
        gridOf(list)->setRow(row);
    }
    loading_ = false;
}

void Main_Form::tellTakenIn(bool keptBoth)
{
    statusBar()->showMessage(keptBoth ? QStringLiteral("他のパソコンでの変更を取り込みました。両方で変更された項目は、両方とも残しました。")
                                      : QStringLiteral("他のパソコンでの変更を取り込みました。"),
                             15000);
}
