#pragma once
// Choosing the next alarm: the earliest alarm moment (the item's time less five
// minutes) among the own open items that is still ahead today.

#include "store/item_store.h"

#include <QString>
#include <optional>

inline const QString kNoAlarm = QStringLiteral("23:59");

struct AlarmNotice {
    QString date, time, content, person;
    // Shown after its minute had passed unseen (the computer slept, the clock
    // was put forward, the program was busy).
    bool late = false;
};

// Missed by more than this many minutes past the item's time, an alarm is
// listed once instead of rung.
inline constexpr int kAlarmListedAfterMinutes = 60;

struct AlarmChoice {
    QString alarmTime = kNoAlarm;
    std::optional<AlarmNotice> notice;   // empty when no item was chosen
};

// The alarm moment of an item, or nothing when the item asks for none (no time,
// "00:00", "99:99", alarm flag not 1, or a time that is no time of day). Items in
// the first minutes after midnight ring at 00:00 rather than the evening before.
std::optional<QString> alarmMoment(const OpenItem& item);

// The earliest alarm moment after `after` ("HH:MM"), or at it too when
// `inclusive`. Among the items of that moment the notice is the first dated
// `today` ("yyyy/MM/dd"), so that an item of another day with the same moment
// never hides one of today; when none is of today, the first of them.
AlarmChoice chooseAlarm(const ItemStore& store, const QString& after, bool inclusive, const QString& today);
