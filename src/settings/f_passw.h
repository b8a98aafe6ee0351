#pragma once
// The password dialog: set the password (typed twice), remove it, or leave.
// The password file is written and removed through the actions it is given
// (the presenter's, which go to the core); the new password counts from the
// next start.

#include "settings/password_actions.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class Ui;

class F_passw : public QDialog {
    Q_OBJECT
public:
    F_passw(PasswordActions actions, Ui& ui, QWidget* mainWindow);

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;   // １回目
    QLineEdit* Text1;
    QLabel* Label4;   // ２回目
    QLineEdit* Text2;
    QLabel* Label5;
    QPushButton* Command2;   // 決定
    QPushButton* Command1;   // ﾊﾟｽﾜｰﾄﾞを消す
    QPushButton* Command3;   // 中止

public slots:
    void Form_Load();
    void Command2_Click();
    void Command1_Click();
    void Command3_Click();

private:
    PasswordActions actions_;
    Ui& ui_;
    QWidget* mainWindow_;
};
