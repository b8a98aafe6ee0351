#pragma once
// The month calendar. Click: the user clicked a day (it is then the selected
// date). Change: the user picked a day. Setting the date from code raises neither.

#include <QCalendarWidget>

class Calendar : public QCalendarWidget {
    Q_OBJECT
public:
    explicit Calendar(QWidget* parent = nullptr);

    void setDate(const QDate& date);   // from code: no events
    QDate date() const { return selectedDate(); }
    int year() const { return selectedDate().year(); }
    int month() const { return selectedDate().month(); }
    int day() const { return selectedDate().day(); }

signals:
    void Click();
    void Change();

private:
    bool settingFromCode_ = false;
};
