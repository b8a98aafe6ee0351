#include "ui/item_dialog.h"

#include "ui/named.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QLineEdit* shownText(const char* name, QWidget* parent, const QString& text)
{
    auto* edit = named<QLineEdit>(name, parent);
    edit->setReadOnly(true);
    edit->setText(text);
    edit->setCursorPosition(0);
    return edit;
}

}   // namespace

ItemDialog::ItemDialog(const ItemDialogShape& shape, const ItemDialogTexts& item, QWidget* parent) : QDialog(parent)
{
    setObjectName(QLatin1String(shape.objectName));
    setWindowTitle(shape.title);
    Label1 = named<QLabel>("Label1", this, shape.sentence);
    QWidget* box = this;
    if (shape.todo) {
        Shape1 = named<QFrame>("Shape1", this);
        Shape1->setFrameShape(QFrame::StyledPanel);
        box = Shape1;
    }
    Text1 = shownText("Text1", box, item.date);
    Text2 = shownText("Text2", box, item.time);
    Text3 = shownText("Text3", box, item.content);
    if (shape.person)
        Text4 = shownText("Text4", box, item.person);

    auto* fields = new QGridLayout;
    int row = 0;
    if (shape.todo) {
        Option1 = named<QRadioButton>("Option1", box, QStringLiteral("やること"));
        Option2 = named<QRadioButton>("Option2", box, QStringLiteral("予定"));
        // They show the kind; what the command does follows the list the item
        // was chosen in.
        auto* kinds = new QButtonGroup(this);
        for (QRadioButton* b : {Option1, Option2}) {
            b->setEnabled(false);
            kinds->addButton(b);
        }
        (*shape.todo ? Option1 : Option2)->setChecked(true);
        fields->addWidget(Option1, row, 0);
        fields->addWidget(Option2, row, 1);
        ++row;
    }
    const int columns = shape.person ? 3 : 2;
    if (shape.captions) {
        const auto& c = *shape.captions;
        Label2 = named<QLabel>("Label2", box, c[0]);
        Label3 = named<QLabel>("Label3", box, c[1]);
        Label4 = named<QLabel>("Label4", box, c[2]);
        Label5 = named<QLabel>("Label5", box, c[3]);
        Label2->setBuddy(Text4 ? Text4 : Text1);
        Label3->setBuddy(Text1);
        Label4->setBuddy(Text2);
        Label5->setBuddy(Text3);
        fields->addWidget(Label3, row, 0);
        fields->addWidget(Label4, row, 1);
        if (shape.person)
            fields->addWidget(Label2, row, 2);
        ++row;
    }
    fields->addWidget(Text1, row, 0);
    fields->addWidget(Text2, row, 1);
    if (Text4)
        fields->addWidget(Text4, row, 2);
    ++row;
    if (Label5)
        fields->addWidget(Label5, row++, 0, 1, columns);
    fields->addWidget(Text3, row, 0, 1, columns);
    fields->setColumnStretch(0, 3);
    fields->setColumnStretch(1, 2);
    if (shape.person)
        fields->setColumnStretch(2, 3);
    if (Shape1)
        Shape1->setLayout(fields);

    Command1 = named<QPushButton>("Command1", this, shape.accept);
    connect(Command1, &QPushButton::clicked, this, &ItemDialog::Command1_Click);
    if (!shape.reject.isEmpty()) {
        Command2 = named<QPushButton>("Command2", this, shape.reject);
        connect(Command2, &QPushButton::clicked, this, &ItemDialog::Command2_Click);
    }
    (shape.rejectIsDefault && Command2 ? Command2 : Command1)->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command1);
    if (Command2)
        buttons->addWidget(Command2);
    else
        buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    if (Shape1)
        layout->addWidget(Shape1);
    else
        layout->addLayout(fields);
    layout->addLayout(buttons);
    layout->activate();
    resize(QSize(shape.width, 0).expandedTo(minimumSizeHint()));
}
