#include "entry/entry_values.h"

#include <QTime>

namespace {

const QString kDateFormat = QStringLiteral("yyyy/MM/dd");

template <class T> T newItem(const EntryState& s, const QDate& today)
{
    T item;
    item.entryDate = Field(today.toString(kDateFormat));
    applyEntry(item, s);
    item.memoNo = Field::number(0);
    item.spare = Field();
    return item;
}

}   // namespace

QString entryDate(const EntryState& s)
{
    switch (s.deadline) {
    case Deadline::OnDate:
        return s.year + QLatin1Char('/') + s.month + QLatin1Char('/') + s.day;
    case Deadline::Today:
        return QString::fromLatin1(sentinel::kToday);
    case Deadline::None:
        break;
    }
    return QString::fromLatin1(sentinel::kNoDeadline);
}

QString entryTime(const EntryState& s)
{
    switch (s.deadline) {
    case Deadline::Today:
        return QString::fromLatin1(sentinel::kTodayTime);
    case Deadline::None:
        return QString::fromLatin1(sentinel::kNoTime);
    case Deadline::OnDate:
        break;
    }
    if (s.noTime)
        return QString::fromLatin1(sentinel::kNoTime);
    // The labels hold "9" or "09" alike; the file wants two digits each.
    bool hourOk = false, minuteOk = false;
    const int h = s.hour.trimmed().toInt(&hourOk);
    const int m = s.minute.trimmed().toInt(&minuteOk);
    const QTime t(h, m);
    // Labels that make no time of day (never from the pickers) store no time
    // rather than a text other readers would trip over.
    if (!hourOk || !minuteOk || !t.isValid())
        return QString::fromLatin1(sentinel::kNoTime);
    return t.toString(QStringLiteral("HH:mm"));
}

QString entryContent(const EntryState& s) { return s.important ? kImportantMark + s.content : s.content; }

void applyEntry(OpenItem& item, const EntryState& s)
{
    item.date = Field(entryDate(s));
    item.time = Field(entryTime(s));
    item.content = Field(entryContent(s));
    item.person = Field(s.person);
    item.alarm = Field::number(s.alarm ? 1 : 0);
    item.secret = s.secret ? Field(sentinel::kSecret) : Field();
    item.important = s.important ? Field(sentinel::kImportant) : Field();
}

TodoItem newTodoItem(const EntryState& s, const QDate& today)
{
    TodoItem item = newItem<TodoItem>(s, today);
    item.rank = Field::number(sentinel::kNoRank);
    return item;
}

ScheduleItem newScheduleItem(const EntryState& s, const QDate& today) { return newItem<ScheduleItem>(s, today); }

QString contentForEditing(const OpenItem& item)
{
    const QString text = item.content.text();
    return isImportant(item) ? text.mid(1) : text;
}
