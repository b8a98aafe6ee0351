#include "ui/calendar.h"
#include <QLocale>

Calendar::Calendar(QWidget* parent) : QCalendarWidget(parent)
{
    setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    // One character a day name keeps the month readable in the narrow column.
    setHorizontalHeaderFormat(QCalendarWidget::SingleLetterDayNames);
    setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
    // The widget selects the clicked day before it reports the click.
    connect(this, &QCalendarWidget::clicked, this, [this] { emit Click(); });
    connect(this, &QCalendarWidget::selectionChanged, this, [this] {
        if (!settingFromCode_)
            emit Change();
    });
}

void Calendar::setDate(const QDate& date)
{
    settingFromCode_ = true;
    setSelectedDate(date);
    settingFromCode_ = false;
}
