#pragma once
// The transcription dialog: shows a colleague's item and asks
// "以下のデータを、自分の【ぽるか】に転記しますか？". "転記する" closes it
// accepted (the main window then copies the item), "やっぱり止める" rejected.
// The kind is the grid the item was chosen in; the option buttons only show it.

#include "store/list_file.h"
#include "store/records.h"

#include <QDialog>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class F_tenki : public QDialog {
    Q_OBJECT
public:
    F_tenki(ListKind kind, const ItemTexts& item, QWidget* mainWindow);

    QLabel* Label1;
    QLabel* Label2;   // 名前
    QLabel* Label3;   // 年/月/日
    QLabel* Label4;   // 時:分
    QLabel* Label5;   // 内　容
    QLineEdit* Text1;   // date
    QLineEdit* Text2;   // time
    QLineEdit* Text3;   // content
    QLineEdit* Text4;   // person
    QRadioButton* Option1;   // やること
    QRadioButton* Option2;   // 予定
    QPushButton* Command1;   // 転記する
    QPushButton* Command2;   // やっぱり止める
    QFrame* Shape1;

public slots:
    void Form_Load();
    void Command1_Click();
    void Command2_Click();

private:
    ListKind kind_;
    ItemTexts item_;
    QWidget* mainWindow_;
};
