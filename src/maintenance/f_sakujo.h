#pragma once
// The delete dialog: shows the one item chosen in the main window and asks
// "以下のデータを削除して宜しいですか？". "ＯＫ" closes it accepted (the main
// window then deletes the item), "やっぱりダメ" rejected; it changes nothing
// itself.

#include "store/list_file.h"
#include "store/records.h"

#include <QDialog>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class F_sakujo : public QDialog {
    Q_OBJECT
public:
    // kind: the list the item is in; item: as the dialog shows it.
    F_sakujo(ListKind kind, const ItemTexts& item, QWidget* mainWindow);

    QLabel* Label1;
    QLineEdit* Text1;   // date
    QLineEdit* Text2;   // time
    QLineEdit* Text3;   // content
    QRadioButton* Option1;   // やること
    QRadioButton* Option2;   // 予定
    QPushButton* Command1;   // ＯＫ
    QPushButton* Command2;   // やっぱりダメ
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
