#pragma once
// Every call the file layer makes to the file system passes through one place
// first. The program itself never looks there; tests do: to count the calls of
// an operation, to stop the program's file work at any call as a crash would,
// or to let two simulated copies of the program take turns call by call.

#include <QByteArray>
#include <QString>

#include <functional>

enum class FileCall {
    Open,   // opening an existing file or a folder
    Create,   // creating a file (a temporary, a claimed memo, a lock file)
    Stat,   // looking at a file's size, time or identity
    List,   // reading a folder's entries
    Lock,   // a whole-file lock
    Read,
    Write,
    Sync,
    Rename,
    Unlink,
    Truncate,
    Close,
};

// The calls after which a crash leaves something different on disk.
constexpr bool isDurable(FileCall call)
{
    switch (call) {
    case FileCall::Create:
    case FileCall::Write:
    case FileCall::Sync:
    case FileCall::Rename:
    case FileCall::Unlink:
    case FileCall::Truncate:
        return true;
    default:
        return false;
    }
}

// What becomes of a call the hook was asked about.
enum class CallAnswer {
    Make,   // the call goes to the file system
    Fail,   // it fails without reaching it, as if the program had stopped just before
    Skip,   // it succeeds without reaching it (a sync of a test's scratch file, a lock
            // a copy on another computer would not see)
};

// Called before each call with the path it concerns (a file's, or the
// folder's for a listing or a folder sync). One hook per thread; none is set
// outside the tests.
using FileCallHook = std::function<CallAnswer(FileCall call, const QByteArray& path)>;
void setFileCallHook(FileCallHook hook);
const FileCallHook& fileCallHook();

// Which error a call the hook stopped reports.
inline constexpr int kStoppedCallError = 125;   // ECANCELED on Linux

// Tests that run several simulated copies of the program in one process give
// each thread a writer mark of its own ("<12 hex digits>-<number>", as
// writerTag gives it): a computer of its own, for the temporary and lock
// files it makes. Empty: the process's own.
void setThreadWriterTag(const QString& tag);
