#include "main_window/f_tenki.h"

#include "ui/centre.h"
#include "ui/named.h"
#include "ui/ui.h"

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

// Shows a value; every key typed into it is discarded.
QLineEdit* shownText(const char* name, QWidget* parent)
{
    auto* edit = named<QLineEdit>(name, parent);
    edit->setReadOnly(true);
    return edit;
}

}  // namespace

F_tenki::F_tenki(ListKind kind, const ItemTexts& item, QWidget* mainWindow)
    : QDialog(mainWindow), kind_(kind), item_(item), mainWindow_(mainWindow)
{
    setObjectName(QStringLiteral("F_tenki"));
    Label1 = named<QLabel>("Label1", this, QStringLiteral("以下のデータを、自分の【ぽるか】に転記しますか？"));
    Shape1 = named<QFrame>("Shape1", this);
    Shape1->setFrameShape(QFrame::StyledPanel);
    Text1 = shownText("Text1", Shape1);
    Text2 = shownText("Text2", Shape1);
    Text3 = shownText("Text3", Shape1);
    Text4 = shownText("Text4", Shape1);
    Label2 = named<QLabel>("Label2", Shape1, QStringLiteral("名前"));
    Label3 = named<QLabel>("Label3", Shape1, QStringLiteral("年/月/日"));
    Label4 = named<QLabel>("Label4", Shape1, QStringLiteral("時:分"));
    Label5 = named<QLabel>("Label5", Shape1, QStringLiteral("内　容"));
    Option1 = named<QRadioButton>("Option1", Shape1, QStringLiteral("やること"));
    Option2 = named<QRadioButton>("Option2", Shape1, QStringLiteral("予定"));
    for (QRadioButton* b : {Option1, Option2})
        b->setEnabled(false);
    auto* kinds = new QButtonGroup(this);
    kinds->addButton(Option1);
    kinds->addButton(Option2);
    Command1 = named<QPushButton>("Command1", this, QStringLiteral("転記する"));
    Command2 = named<QPushButton>("Command2", this, QStringLiteral("やっぱり止める"));
    Command1->setDefault(true);

    auto* fields = new QGridLayout(Shape1);
    fields->addWidget(Option1, 0, 0);
    fields->addWidget(Option2, 0, 1);
    fields->addWidget(Label3, 1, 0);
    fields->addWidget(Label4, 1, 1);
    fields->addWidget(Label2, 1, 2);
    fields->addWidget(Text1, 2, 0);
    fields->addWidget(Text2, 2, 1);
    fields->addWidget(Text4, 2, 2);
    fields->addWidget(Label5, 3, 0, 1, 3);
    fields->addWidget(Text3, 4, 0, 1, 3);
    fields->setColumnStretch(0, 3);
    fields->setColumnStretch(1, 2);
    fields->setColumnStretch(2, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Shape1);
    layout->addLayout(buttons);
    layout->activate();
    resize(QSize(460, 0).expandedTo(minimumSizeHint()));

    connect(Command1, &QPushButton::clicked, this, &F_tenki::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &F_tenki::Command2_Click);
    Form_Load();
}

void F_tenki::Form_Load()
{
    centreOver(*this, mainWindow_);
    setWindowTitle(kAppTitle);
    (kind_ == ListKind::Todo ? Option1 : Option2)->setChecked(true);
    Text1->setText(item_.date);
    Text2->setText(item_.time);
    Text3->setText(item_.content);
    Text4->setText(item_.person);
    Text3->setCursorPosition(0);
}

void F_tenki::Command1_Click() { accept(); }

void F_tenki::Command2_Click() { reject(); }
