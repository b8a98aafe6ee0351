#pragma once
// The dialogs that show one item under a sentence and ask for a button: the
// delete confirmation (F_sakujo), the transcription confirmation (F_tenki)
// and the alarm notice (F_Alarm). One class lays them out and fills them; each
// form says which of the parts it has. The boxes only show: every key typed
// into them is discarded.

#include <QDialog>
#include <QString>

#include <array>
#include <optional>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// An item as such a dialog shows it.
struct ItemDialogTexts {
    QString date, time, content, person;
};

struct ItemDialogShape {
    const char* objectName;
    QString title;
    QString sentence;   // Label1
    // The kind, shown by the option buttons Option1 (やること) and Option2
    // (予定) in the frame Shape1 around the boxes; none: no kind, no frame.
    std::optional<bool> todo;
    // Captions Label2 .. Label5 over the person, date, time and content
    // boxes; none: no captions.
    std::optional<std::array<QString, 4>> captions;
    bool person = false;   // Text4
    QString accept;   // Command1
    QString reject;   // Command2; empty: no such button
    bool rejectIsDefault = false;   // Enter rejects (a deletion is not done by mistake)
    int width = 420;
};

class ItemDialog : public QDialog {
    Q_OBJECT
public:
    ItemDialog(const ItemDialogShape& shape, const ItemDialogTexts& item, QWidget* parent);

    // The parts a shape does not have are null.
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;   // person
    QLabel* Label3 = nullptr;   // date
    QLabel* Label4 = nullptr;   // time
    QLabel* Label5 = nullptr;   // content
    QLineEdit* Text1 = nullptr;   // date
    QLineEdit* Text2 = nullptr;   // time
    QLineEdit* Text3 = nullptr;   // content
    QLineEdit* Text4 = nullptr;   // person
    QRadioButton* Option1 = nullptr;   // やること
    QRadioButton* Option2 = nullptr;   // 予定
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QFrame* Shape1 = nullptr;

public slots:
    void Command1_Click() { accept(); }
    void Command2_Click() { reject(); }
};
