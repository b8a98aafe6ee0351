#include "main_window/alarm_choice.h"

namespace {

// Minutes since midnight of an "HH:MM" line, or -1 when it is no time of day.
int minutesOf(const QByteArray& t)
{
    const auto digit = [&](int i) { return t[i] >= '0' && t[i] <= '9' ? t[i] - '0' : -100; };
    if (t.size() != 5 || t[2] != ':')
        return -1;
    const int h = digit(0) * 10 + digit(1);
    const int m = digit(3) * 10 + digit(4);
    return h >= 0 && h < 24 && m >= 0 && m < 60 ? h * 60 + m : -1;
}

}  // namespace

std::optional<QString> alarmMoment(const OpenItem& item)
{
    if (item.time == sentinel::kTodayTime || item.time == sentinel::kNoTime || !wantsAlarm(item))
        return std::nullopt;
    const int t = minutesOf(item.time.bytes());
    if (t < 0)
        return std::nullopt;
    const int m = std::max(0, t - 5);
    return QStringLiteral("%1:%2").arg(m / 60, 2, 10, QLatin1Char('0')).arg(m % 60, 2, 10, QLatin1Char('0'));
}

namespace {

template <class T>
void consider(const ItemList<T>& list, const QString& now, bool sameMinute, AlarmChoice& choice)
{
    for (const T& item : list.items()) {
        const auto moment = alarmMoment(item);
        if (!moment)
            continue;
        const bool ahead = sameMinute ? *moment >= now : *moment > now;
        if (ahead && *moment < choice.alarmTime) {
            choice.alarmTime = *moment;
            choice.notice = AlarmNotice{item.date.text(), item.time.text(), item.content.text(), item.person.text()};
        }
    }
}

}  // namespace

AlarmChoice chooseAlarm(const ItemStore& store, const QString& now, bool sameMinute)
{
    AlarmChoice choice;
    consider(store.todos, now, sameMinute, choice);
    consider(store.schedules, now, sameMinute, choice);
    return choice;
}
