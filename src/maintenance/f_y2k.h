#pragma once
// Shown at start-up when the settings were written by the previous major
// version: convert the data ("旧バージョンのデータを変換する", accepted) or end
// the program without touching anything ("データを変換せず終了", rejected).

#include <QDialog>

class QLabel;
class QPushButton;

class F_Y2K : public QDialog {
    Q_OBJECT
public:
    F_Y2K();

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QPushButton* Command1;   // convert
    QPushButton* Command2;   // end

public slots:
    void Form_Load();
    void Command1_Click();
    void Command2_Click();
};
