#pragma once
// The own settings: the user's name and data directory (member 0). Accepted,
// entry() is what the user chose; the dialog changes nothing itself (the
// presenter stores it and carries the memo files over to a new folder).

#include "store/settings_file.h"

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class DriveListBox;
class DirListBox;
class Ui;

class F_mydata : public QDialog {
    Q_OBJECT
public:
    F_mydata(const AppSettings& settings, const QString& programDir, Ui& ui, QWidget* mainWindow);

    const OwnEntry& entry() const { return entry_; }

    QLabel* Label1;
    QLabel* Label4;
    QLineEdit* Text1;   // own name
    QLabel* Label2;
    QLabel* Label5;
    DriveListBox* Drive1;
    DirListBox* Dir1;
    QLineEdit* Text2;   // data directory
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;   // 新しいフォルダ: made inside the folder chosen in Dir1

public slots:
    void Form_Load();
    void Dir1_Change();
    void Drive1_Change();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

private:
    const AppSettings& settings_;
    QString programDir_;
    OwnEntry entry_;
    Ui& ui_;
    QWidget* mainWindow_;
    QString rememberedDrive_;
};
