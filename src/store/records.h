#pragma once
// The four record kinds of the data files, their line layouts and the sentinels.

#include "store/field.h"

#include <QString>
#include <array>

namespace sentinel {
inline constexpr char kToday[] = "0000/00/00";
inline constexpr char kNoDeadline[] = "9999/99/99";
inline constexpr char kTodayTime[] = "00:00";
inline constexpr char kNoTime[] = "99:99";
inline constexpr char kSecret[] = "SECRET";
inline constexpr char kImportant[] = "JYUYO";
inline constexpr int kNoRank = 9999;
}   // namespace sentinel

inline const QString kImportantMark = QStringLiteral("●");
inline const QString kTodayShown = QStringLiteral("今日中");
inline const QString kNoDeadlineShown = QStringLiteral("期限無");

// Fields shared by the open ToDo and schedule records.
struct OpenItem {
    Field entryDate, date, time, content, person, memoNo, alarm, secret, important, spare;
};

struct TodoItem : OpenItem {
    Field rank;
};

struct ScheduleItem : OpenItem { };

struct DoneItem {
    Field doneDate, entryDate, date, time, content, person, memoNo, secret, important, spare;
};

struct DoneTodoItem : DoneItem { };
struct DoneScheduleItem : DoneItem { };

// Line order of each record kind in its file.
template <class T> struct RecordLayout;

template <> struct RecordLayout<TodoItem> {
    static constexpr std::array<Field TodoItem::*, 11> lines{&TodoItem::entryDate, &TodoItem::date,   &TodoItem::time,
                                                             &TodoItem::content,   &TodoItem::person, &TodoItem::memoNo,
                                                             &TodoItem::rank,      &TodoItem::alarm,  &TodoItem::secret,
                                                             &TodoItem::important, &TodoItem::spare};
};

template <> struct RecordLayout<ScheduleItem> {
    static constexpr std::array<Field ScheduleItem::*, 10> lines{
        &ScheduleItem::entryDate, &ScheduleItem::date,   &ScheduleItem::time,  &ScheduleItem::content,
        &ScheduleItem::person,    &ScheduleItem::memoNo, &ScheduleItem::alarm, &ScheduleItem::secret,
        &ScheduleItem::important, &ScheduleItem::spare};
};

template <class T>
requires std::is_base_of_v<DoneItem, T>
struct RecordLayout<T> {
    static constexpr std::array<Field T::*, 10> lines{&T::doneDate,  &T::entryDate, &T::date,   &T::time,
                                                      &T::content,   &T::person,    &T::memoNo, &T::secret,
                                                      &T::important, &T::spare};
};

// The fields an open record and its archive record both carry.
template <class To, class From> void copyKeptFields(To& to, const From& from)
{
    to.entryDate = from.entryDate;
    to.date = from.date;
    to.time = from.time;
    to.content = from.content;
    to.person = from.person;
    to.memoNo = from.memoNo;
    to.secret = from.secret;
    to.important = from.important;
    to.spare = from.spare;
}

// The archive record of an open item completed on doneDate ("yyyy/MM/dd"):
// every field it carries, the memo number included (the memo file stays).
template <class D> D doneRecord(const OpenItem& item, const QString& doneDate)
{
    D done;
    done.doneDate = Field(doneDate);
    copyKeptFields(done, item);
    return done;
}

// An archived item open again: the fields it kept, no alarm, no rank.
template <class O> O openRecord(const DoneItem& done)
{
    O item;
    copyKeptFields(item, done);
    item.alarm = Field::number(0);
    if constexpr (requires { item.rank; })
        item.rank = Field::number(sentinel::kNoRank);
    return item;
}

// A record's lines as its file holds them, each followed by CR LF: what tells
// one record from another (two records are the same when these bytes are).
template <class T> QByteArray recordBytes(const T& item)
{
    qsizetype size = 0;
    for (auto field : RecordLayout<T>::lines)
        size += (item.*field).view().size() + 2;
    QByteArray out;
    out.reserve(size);
    for (auto field : RecordLayout<T>::lines) {
        out += (item.*field).view();
        out += "\r\n";
    }
    return out;
}

// The memo number of an item: 0 when it has none or the line holds no usable
// number. Only 1..9999999 name a memo file.
int memoNumber(const Field& memoNo);
bool isSecret(const OpenItem& item);
bool isImportant(const OpenItem& item);
bool wantsAlarm(const OpenItem& item);   // alarm flag 1

// The texts a list shows for an item's date and time: "今日中" and "期限無" for
// the sentinel dates, an empty time for "00:00" and "99:99". Derived whenever a
// row is shown, never stored.
struct Shown {
    QString date;
    QString time;
};
Shown deriveShown(const OpenItem& item);
// The date and time a dialog shows for an open item: "今日中" or "期限無" with
// no time for the sentinel dates, otherwise the date and the time ("99:99"
// shown empty, "00:00" as it is).
Shown dialogShown(const OpenItem& item);
// An item as a confirming dialog shows it.
struct ItemTexts {
    QString date, time, content, person;
};
ItemTexts dialogTexts(const OpenItem& item);
// An archived item: its completion date, no time.
ItemTexts dialogTexts(const DoneItem& item);
// The four cells of a list row: shown date, shown time, content, person.
QStringList rowCells(const OpenItem& item);
QStringList rowCells(const DoneItem& item);
// The same joined with tabs, as the grid takes a row.
QString rowText(const OpenItem& item);
