#pragma once
// The other members whose lists the user views: the colleagues there are, in
// slot order. Per confirmation one is renamed or given a new directory, one
// is added (into the first free slot) or one is removed; entry() is then what
// the user chose. The dialog changes nothing itself.

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
    QListWidget* List1;   // the colleagues there are, each line with its slot
    QPushButton* Command3;   // 追加
    QPushButton* Command4;   // 削除
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
    void Command3_Click();
    void Command4_Click();

private:
    // The slot of the line selected; 0 when none is.
    int selectedSlot() const;

    const AppSettings& settings_;
    MemberEntry entry_;
    Ui& ui_;
    QWidget* mainWindow_;
    QString rememberedDrive_;
    bool adding_ = false;   // 追加 pressed: 決定 fills the first free slot
};
