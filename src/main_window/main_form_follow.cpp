// Following the files on display: another copy of the program on the same
// data folder, a colleague's program writing the colleague's lists.
#include "main_window/main_form.h"

#include <QApplication>
#include <QFileSystemWatcher>
#include <QTimer>

namespace {

// Network shares often send no change notices: the files are looked at this
// often all the same.
constexpr int kLookEveryMs = 2000;

}   // namespace

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
    watchFolders();
}

void Main_Form::watchFolders()
{
    if (!watcher_)
        return;
    if (!watcher_->directories().isEmpty())
        watcher_->removePaths(watcher_->directories());
    const QStringList folders = presenter_.watchedFolders();
    if (!folders.isEmpty())
        watcher_->addPaths(folders);
}

void Main_Form::followFiles()
{
    // Not while a command works (a sort yielding to events) or a dialog is
    // open on a row: the lists must not move under them. The next look comes soon.
    if (busy_ || QApplication::activeModalWidget())
        return;
    redisplay(presenter_.followFiles());
    watchFolders();
}
