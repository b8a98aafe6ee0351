#pragma once
// The alarm notice: the date, time, content and person of the item whose time
// is about to come.

#include "main_window/alarm_choice.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class Ui;

inline const QString kAlarmTitle = QStringLiteral("★★　お邪魔します　★★");

class F_Alarm : public QDialog {
    Q_OBJECT
public:
    F_Alarm(const AlarmNotice& notice, Ui& ui, QWidget* parent = nullptr);

    QLabel* Label1;
    QLabel* Label2;   // captions of Text1 .. Text4
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLineEdit* Text1;   // date
    QLineEdit* Text2;   // time
    QLineEdit* Text4;   // person
    QLineEdit* Text3;   // content
    QPushButton* Command1;

public slots:
    void Form_Load();
    void Command1_Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    AlarmNotice notice_;
    Ui& ui_;
};
