// Two copies of the program on one data folder: writing the own lists
// without undoing what the other copy did, and following its changes.
#include "core/core.h"

#include "store/memo.h"

template <class T> MergeReport Core::takeIn(ListKind kind, const QByteArray& bytes)
{
    ListSync& s = sync(kind);
    ItemList<T> file;
    QByteArray header;
    parseList(bytes, header, file);
    MergeReport report = applyEdits(file, s.pending);
    if (s.reordered)
        takeOrder(file, ownList<T>());
    // A record kept beside the other copy's version, whose memo the other
    // copy deleted with its own version, keeps no number that names nothing.
    for (const QByteArray& kept : report.keptBeside) {
        for (T& item : file.items()) {
            const int memo = memoNumber(item.memoNo);
            if (memo != 0 && recordBytes(item) == kept &&
                !fileExistsIgnoringCase(settings_.ownDirectory(), memoFileName(memo)))
                item.memoNo = Field::number(0);
        }
    }
    ownList<T>() = std::move(file);
    ownHeader(kind) = header;
    return report;
}

void Core::forgetWritten(ListKind kind)
{
    ListSync& s = sync(kind);
    s.pending.clear();
    s.reordered = false;
    for (Job& job : jobs_)
        for (JobStep& step : job.steps)
            if (step.kind == JobStep::Kind::List && step.list == kind)
                step.done = true;
}

FileStatus Core::writeOwnList(ListKind kind, bool* merged, bool* keptBoth)
{
    ListSync& s = sync(kind);
    const QString path = resolvePath(settings_.ownDirectory(), listFileName(kind));
    if (s.path != path) {
        // The data folder moved: the list in memory replaces whatever the new
        // folder holds.
        s.path = path;
        s.seen = {};
    }
    const FileStatus status = rewriteChecked(path, s.seen, [&](const std::optional<QByteArray>& current) {
        if (current) {
            // Taken in is told only when another copy's records came in: a
            // copy that rewrote the same records (at its quit, say) is nothing to tell.
            const std::vector<quint64> before = withOwnList(kind, [](const auto& l) { return recordHashes(l); });
            const MergeReport r =
                kind == ListKind::Todo ? takeIn<TodoItem>(kind, *current) : takeIn<ScheduleItem>(kind, *current);
            const std::vector<quint64> after = withOwnList(kind, [](const auto& l) { return recordHashes(l); });
            if (merged)
                *merged = compareHashes(before, after).records;
            if (keptBoth)
                *keptBoth = r.keptBoth();
        }
        return withOwnList(kind, [&](const auto& list) { return serializeList(ownHeader(kind), list); });
    });
    if (status.ok())
        forgetWritten(kind);
    return status;
}

FollowReport Core::followOwnLists()
{
    FollowReport report;
    for (ListKind kind : {ListKind::Todo, ListKind::Schedule}) {
        ListSync& s = sync(kind);
        // The file found at the start, while the data folder stays the same.
        const QString& dir = settings_.ownDirectory();
        const QString path = isListIn(s.path, dir) ? s.path : resolvePath(dir, listFileName(kind));
        if (s.path != path || isUnchanged(path, s.seen))
            continue;
        const ReadResult r = readFile(path, Locking::Exclusive);
        if (!r.ok())
            continue;
        if (r.fingerprint.hash == s.seen.hash) {
            // Written again with the same bytes (another copy's quit, say): nothing
            // to take in, and the next look needs only its stat again.
            s.seen = r.fingerprint;
            continue;
        }
        withOwnList(kind, [&](auto& list) {
            using T = typename std::remove_reference_t<decltype(list)>::value_type;
            const std::vector<quint64> before = recordHashes(list);
            const MergeReport merged = takeIn<T>(kind, r.bytes);
            const ListChange change = compareHashes(before, recordHashes(list));
            report.changed = report.changed || change.order;
            report.recordsChanged = report.recordsChanged || change.records;
            report.keptBoth = report.keptBoth || merged.keptBoth();
        });
        s.seen = r.fingerprint;
    }
    // Steps given up earlier (a list a colleague's program held) are tried
    // again, quietly: the next look tries once more.
    if (!jobs_.empty()) {
        TryOnce once;
        (void)finishJobs(once);
    }
    return report;
}
