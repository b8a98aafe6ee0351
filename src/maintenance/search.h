#pragma once
// The keyword search: one of the four lists, read straight from its file
// (never from the lists in memory), each record's content tested for the
// keyword. Pure: bytes in, hits out; the caller reads the file and says how to
// yield to events.

#include <QByteArray>
#include <QString>
#include <functional>
#include <vector>

// Which list is searched: "やること", "予定", "やること(完了)", "予定(完了)".
enum class SearchTarget { Todo, Schedule, DoneTodo, DoneSchedule };

// At most this many hits are kept; the file is still read to its end.
inline constexpr int kMaxHits = 100;

// A hit as the result grid shows it: the date ("今日中", "期限無" for the
// sentinels; the completion date for an archived item), the time (empty for
// "00:00", "99:99" and archived items), content and name; and its memo number.
struct SearchHit {
    QString date, time, content, person;
    int memoNo = 0;
};

struct SearchResult {
    std::vector<SearchHit> hits;   // in file order, at most kMaxHits
    bool cut = false;   // kMaxHits were reached (then more may have matched)
    bool stopped = false;   // the caller asked to stop before the end
};

// The file name a target's list lives in (list files in the data folder,
// archives in the program folder), and whether it starts with a header line.
QString searchFileName(SearchTarget target);
bool isArchive(SearchTarget target);

// Finds the records whose content holds `keyword`, compared character for
// character (case and width count; an empty keyword finds every record with a
// content). `keepGoing` is asked between records (every few hundred): it may
// let pending events run, and stops the search when it returns false.
SearchResult searchRecords(const QByteArray& file, SearchTarget target, const QString& keyword,
                           const std::function<bool()>& keepGoing = {});
