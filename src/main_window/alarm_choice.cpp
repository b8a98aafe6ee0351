#include "main_window/alarm_choice.h"

#include "core/list_sort.h"

namespace {

// Minutes since midnight of an "HH:MM" line, or -1 when it is no time of day.
int minutesOf(QByteArrayView t)
{
    const auto digit = [&](int i) { return t[i] >= '0' && t[i] <= '9' ? t[i] - '0' : -100; };
    if (t.size() != 5 || t[2] != ':')
        return -1;
    const int h = digit(0) * 10 + digit(1);
    const int m = digit(3) * 10 + digit(4);
    return h >= 0 && h < 24 && m >= 0 && m < 60 ? h * 60 + m : -1;
}

// The alarm minute of an item (minutes since midnight), or -1 when it asks for none.
int alarmMinute(const OpenItem& item)
{
    // "00:00" (today's, no time) reads as minute 0 and "99:99" (no time) as
    // none: neither rings.
    const int t = minutesOf(item.time.view());
    if (t <= 0 || !wantsAlarm(item))
        return -1;
    return std::max(0, t - 5);
}

// "yyyy/MM/dd" already: the form a date key has, so its key is itself.
bool inKeyForm(QByteArrayView d)
{
    if (d.size() != 10 || d[4] != '/' || d[7] != '/')
        return false;
    for (const int i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (d[i] < '0' || d[i] > '9')
            return false;
    return true;
}

QString hhmm(int minutes)
{
    return QStringLiteral("%1:%2")
        .arg(minutes / 60, 2, 10, QLatin1Char('0'))
        .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

template <class T> void consider(const ItemList<T>& list, int after, bool inclusive, int& best)
{
    for (const T& item : list.items()) {
        const int moment = alarmMinute(item);
        // Minutes compare as the "HH:MM" texts do.
        const bool ahead = inclusive ? moment >= after : moment > after;
        if (moment >= 0 && ahead && moment < best)
            best = moment;
    }
}

// The first item of the moment dated today, else the first of the moment.
template <class T>
void noticeAt(const ItemList<T>& list, int moment, QByteArrayView today, const OpenItem*& first,
              const OpenItem*& firstToday)
{
    for (const T& item : list.items()) {
        if (firstToday)
            return;
        if (alarmMinute(item) != moment)
            continue;
        if (!first)
            first = &item;
        const QByteArrayView date = item.date.view();
        if (date == today || (!inKeyForm(date) && dateKey(item.date.text()) == QLatin1String(today)))
            firstToday = &item;
    }
}

}   // namespace

std::optional<QString> alarmMoment(const OpenItem& item)
{
    const int m = alarmMinute(item);
    if (m < 0)
        return std::nullopt;
    return hhmm(m);
}

AlarmChoice chooseAlarm(const ItemStore& store, const QString& after, bool inclusive, const QString& today)
{
    constexpr int kNothing = 23 * 60 + 59;   // "23:59": nothing chosen
    const int afterMinute = minutesOf(after.toLatin1());
    int best = kNothing;
    consider(store.todos, afterMinute, inclusive, best);
    consider(store.schedules, afterMinute, inclusive, best);
    AlarmChoice choice;
    if (best == kNothing)
        return choice;
    const QByteArray todayBytes = today.toLatin1();
    const OpenItem* first = nullptr;
    const OpenItem* firstToday = nullptr;
    noticeAt(store.todos, best, todayBytes, first, firstToday);
    noticeAt(store.schedules, best, todayBytes, first, firstToday);
    if (const OpenItem* chosen = firstToday ? firstToday : first) {
        choice.alarmTime = hhmm(best);
        choice.notice =
            AlarmNotice{chosen->date.text(), chosen->time.text(), chosen->content.text(), chosen->person.text()};
    }
    return choice;
}
