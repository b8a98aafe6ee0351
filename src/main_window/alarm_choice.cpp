#include "main_window/alarm_choice.h"

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
    if (item.time == sentinel::kTodayTime || item.time == sentinel::kNoTime || !wantsAlarm(item))
        return -1;
    const int t = minutesOf(item.time.view());
    return t < 0 ? -1 : std::max(0, t - 5);
}

QString hhmm(int minutes)
{
    return QStringLiteral("%1:%2").arg(minutes / 60, 2, 10, QLatin1Char('0')).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

template <class T>
void consider(const ItemList<T>& list, int now, bool sameMinute, int& best, const OpenItem*& chosen)
{
    for (const T& item : list.items()) {
        const int moment = alarmMinute(item);
        if (moment < 0)
            continue;
        // Minutes compare as the "HH:MM" texts do.
        const bool ahead = sameMinute ? moment >= now : moment > now;
        if (ahead && moment < best) {
            best = moment;
            chosen = &item;
        }
    }
}

}  // namespace

std::optional<QString> alarmMoment(const OpenItem& item)
{
    const int m = alarmMinute(item);
    if (m < 0)
        return std::nullopt;
    return hhmm(m);
}

AlarmChoice chooseAlarm(const ItemStore& store, const QString& now, bool sameMinute)
{
    const int nowMinute = minutesOf(now.toLatin1());
    int best = 23 * 60 + 59;   // "23:59": nothing chosen
    const OpenItem* chosen = nullptr;
    consider(store.todos, nowMinute, sameMinute, best, chosen);
    consider(store.schedules, nowMinute, sameMinute, best, chosen);
    AlarmChoice choice;
    if (chosen) {
        choice.alarmTime = hhmm(best);
        choice.notice = AlarmNotice{chosen->date.text(), chosen->time.text(), chosen->content.text(),
                                    chosen->person.text()};
    }
    return choice;
}
