#pragma once
// The alarm notice: the date, time, content and person of the item whose time
// is about to come. It stays above other windows and beeps when it comes.

#include "main_window/alarm_choice.h"
#include "ui/item_dialog.h"

class Ui;

inline const QString kAlarmTitle = QStringLiteral("★★　お邪魔します　★★");

class F_Alarm : public ItemDialog {
    Q_OBJECT
public:
    F_Alarm(const AlarmNotice& notice, Ui& ui, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
};
