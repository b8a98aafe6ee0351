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
bool wantsAlarm(const OpenItem& item)
{
    // The flag as this program writes it, else whatever number the line holds.
    const QByteArrayView flag = item.alarm.view();
    if (flag.size() == 3 && flag[0] == ' ' && flag[2] == ' ' && (flag[1] == '0' || flag[1] == '1'))
        return flag[1] == '1';
    return item.alarm.toNumber() == 1;
}

Shown deriveShown(const OpenItem& item)
{
    Shown s;
    if (item.date == sentinel::kToday)
        s.date = kTodayShown;
    else if (item.date == sentinel::kNoDeadline)
        s.date = kNoDeadlineShown;
    else
        s.date = item.date.text();
    if (!(item.time == sentinel::kTodayTime || item.time == sentinel::kNoTime))
        s.time = item.time.text();
    return s;
}

QStringList rowCells(const OpenItem& item)
{
    Shown s = deriveShown(item);
    return {std::move(s.date), std::move(s.time), item.content.text(), item.person.text()};
}

QStringList rowCells(const DoneItem& item)
{
    return {item.doneDate.text(), QString(), item.content.text(), item.person.text()};
}

QString rowText(const OpenItem& item) { return rowCells(item).join(QLatin1Char('\t')); }

Shown dialogShown(const OpenItem& item)
{
    if (item.date == sentinel::kToday)
        return {kTodayShown, QString()};
    if (item.date == sentinel::kNoDeadline)
        return {kNoDeadlineShown, QString()};
    return {item.date.text(), item.time == sentinel::kNoTime ? QString() : item.time.text()};
}

ItemTexts dialogTexts(const OpenItem& item)
{
    Shown shown = dialogShown(item);
    return {std::move(shown.date), std::move(shown.time), item.content.text(), item.person.text()};
}

ItemTexts dialogTexts(const DoneItem& item)
{
    return {item.doneDate.text(), QString(), item.content.text(), item.person.text()};
}
