#pragma once
// The password prompt at start-up. Accepted: the password typed is the one
// stored, start-up goes on. Rejected ("中止", or a wrong password, which is
// told): the program ends. There is no second try.

#include <QByteArray>
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class Ui;

class F_ansyo : public QDialog {
    Q_OBJECT
public:
    F_ansyo(QByteArray storedLine, Ui& ui);

    QLabel* Label1;
    QLineEdit* Text1;
    QPushButton* Command1;   // ＯＫ
    QPushButton* Command2;   // 中止

public slots:
    void Form_Load();
    void Command1_Click();
    void Command2_Click();

private:
    QByteArray storedLine_;
    Ui& ui_;
};
