#include "store/records.h"

#include <QStringList>

int memoNumber(const Field& memoNo)
{
    const auto n = memoNo.toNumber();
    if (!n || *n < 1 || *n > 9999999)
        return 0;
    return int(*n);
}

bool isSecret(const OpenItem& item) { return item.secret == sentinel::kSecret; }
bool isImportant(const OpenItem& item) { return item.important == sentinel::kImportant; }
bool wantsAlarm(const OpenItem& item) { return item.alarm.toNumber() == 1; }

void deriveShown(OpenItem& item)
{
    if (item.date == sentinel::kToday)
        item.shownDate = kTodayShown;
    else if (item.date == sentinel::kNoDeadline)
        item.shownDate = kNoDeadlineShown;
    else
        item.shownDate = item.date.text();

    if (item.time == sentinel::kTodayTime || item.time == sentinel::kNoTime)
        item.shownTime.clear();
    else
        item.shownTime = item.time.text();
}

QStringList rowCells(const OpenItem& item)
{
    return {item.shownDate, item.shownTime, item.content.text(), item.person.text()};
}

QStringList rowCells(const DoneItem& item)
{
    return {item.doneDate.text(), QString(), item.content.text(), item.person.text()};
}

QString rowText(const OpenItem& item) { return rowCells(item).join(QLatin1Char('\t')); }
