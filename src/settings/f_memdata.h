#pragma once
// The other members whose lists the user views: slots 1..99 of the member
// list. One slot is renamed or given a new directory per confirmation: then
// entry() is what the user chose; the dialog changes nothing itself.

#include "store/settings_file.h"

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class DriveListBox;
class DirListBox;
class Ui;

class F_memdata : public QDialog {
    Q_OBJECT
public:
    F_memdata(const AppSettings& settings, Ui& ui, QWidget* mainWindow);

    const MemberEntry& entry() const { return entry_; }

    QLabel* Label1;
    QListWidget* List1;   // line i is slot i + 1
    QLabel* Label6;
    QLabel* Label4;
    QLineEdit* Text1;   // name before, read-only
    QLabel* Label5;
    QLineEdit* Text2;   // directory before, read-only
    QLabel* Label2;
    QLineEdit* Text3;   // name after
    QLabel* Label3;
    QLineEdit* Text4;   // directory after
    DriveListBox* Drive1;
    DirListBox* Dir1;
    QPushButton* Command1;
    QPushButton* Command2;

public slots:
    void Form_Load();
    void List1_Click();
    void Dir1_Change();
    void Dir1_Click();
    void Drive1_Change();
    void Command1_Click();
    void Command2_Click();

private:
    int selectedLine() const;   // -1 when no line is selected

    const AppSettings& settings_;
    MemberEntry entry_;
    Ui& ui_;
    QWidget* mainWindow_;
    QString rememberedDrive_;
};
