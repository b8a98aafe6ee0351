#include "ui/calendar.h"
#include <QLocale>
#include <QToolButton>

Calendar::Calendar(QWidget* parent) : QCalendarWidget(parent)
{
    setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    // One character a day name keeps the month readable in the narrow column.
    setHorizontalHeaderFormat(QCalendarWidget::SingleLetterDayNames);
    setLocale(QLocale(QLocale::Japanese, QLocale::Japan));
    // The month arrows are icons only: named for screen readers and tooltips.
    for (const auto& [name, text] : {std::pair{"qt_calendar_prevmonth", QStringLiteral("前の月")},
                                     {"qt_calendar_nextmonth", QStringLiteral("次の月")}})
        if (auto* arrow = findChild<QToolButton*>(QLatin1String(name))) {
            arrow->setAccessibleName(text);
            arrow->setToolTip(text);
        }
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
