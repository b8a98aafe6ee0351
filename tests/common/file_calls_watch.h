#pragma once
// Watching the file layer's calls from a test: counting them, or stopping the
// program's file work at the n-th durable one, as a crash just before it
// would. Set for as long as the object lives, on this thread. Syncs are
// passed over unless asked for: a kill loses nothing a sync would have kept,
// and a test makes thousands of them.

#include "store/file_calls.h"

#include <QByteArray>
#include <QList>

class FileCallsWatch {
public:
    // stopAt: the durable call (1-based) from which on every call fails; 0 never.
    explicit FileCallsWatch(int stopAt = 0, bool sync = false) : stopAt_(stopAt), outer_(fileCallHook())
    {
        setFileCallHook([this, sync](FileCall call, const QByteArray& path) {
            calls_.append({call, path});
            if (isDurable(call))
                ++durable_;
            stopped_ = stopped_ || (stopAt_ > 0 && durable_ >= stopAt_);
            if (stopped_)
                return CallAnswer::Fail;
            return call == FileCall::Sync && !sync ? CallAnswer::Skip : CallAnswer::Make;
        });
    }
    ~FileCallsWatch() { setFileCallHook(outer_); }
    FileCallsWatch(const FileCallsWatch&) = delete;
    FileCallsWatch& operator=(const FileCallsWatch&) = delete;

    struct Call {
        FileCall call;
        QByteArray path;
    };
    const QList<Call>& calls() const { return calls_; }
    int durableCalls() const { return durable_; }
    bool stopped() const { return stopped_; }
    // Calls whose path lies in the folder (a path that starts with it).
    int callsIn(const QByteArray& folder) const
    {
        int n = 0;
        for (const Call& c : calls_)
            if (c.path.startsWith(folder))
                ++n;
        return n;
    }

private:
    int stopAt_;
    FileCallHook outer_;   // a watch around this one, set again when this one ends
    int durable_ = 0;
    bool stopped_ = false;
    QList<Call> calls_;
};
