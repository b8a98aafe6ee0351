#pragma once
// The own settings: the user's name and data directory (member 0). Accepting
// moves the memo files of the open items into the new directory.

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class DriveListBox;
class DirListBox;
class Ui;
struct AppSettings;
struct ItemStore;

class F_mydata : public QDialog {
    Q_OBJECT
public:
    F_mydata(AppSettings& settings, const ItemStore& store, const QString& programDir, Ui& ui,
             QWidget* mainWindow);

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

public slots:
    void Form_Load();
    void Dir1_Change();
    void Drive1_Change();
    void Command1_Click();
    void Command2_Click();

private:
    AppSettings& settings_;
    const ItemStore& store_;
    QString programDir_;
    Ui& ui_;
    QWidget* mainWindow_;
    QString rememberedDrive_;
};
