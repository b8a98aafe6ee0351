#include "maintenance/f_sakujo.h"

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

F_sakujo::F_sakujo(ListKind kind, const ItemTexts& item, QWidget* mainWindow)
    : QDialog(mainWindow), kind_(kind), item_(item), mainWindow_(mainWindow)
{
    setObjectName(QStringLiteral("F_sakujo"));
    Label1 = named<QLabel>("Label1", this, QStringLiteral("以下のデータを削除して宜しいですか？"));
    Shape1 = named<QFrame>("Shape1", this);
    Shape1->setFrameShape(QFrame::StyledPanel);
    Text1 = shownText("Text1", Shape1);
    Text2 = shownText("Text2", Shape1);
    Text3 = shownText("Text3", Shape1);
    Option1 = named<QRadioButton>("Option1", Shape1, QStringLiteral("やること"));
    Option2 = named<QRadioButton>("Option2", Shape1, QStringLiteral("予定"));
    // They show the kind; the deletion follows the list the item was chosen in.
    for (QRadioButton* b : {Option1, Option2})
        b->setEnabled(false);
    auto* kinds = new QButtonGroup(this);
    kinds->addButton(Option1);
    kinds->addButton(Option2);
    Command1 = named<QPushButton>("Command1", this, QStringLiteral("ＯＫ"));
    Command2 = named<QPushButton>("Command2", this, QStringLiteral("やっぱりダメ"));
    Command2->setDefault(true);   // Enter does not delete by mistake

    auto* fields = new QGridLayout(Shape1);
    fields->addWidget(Option1, 0, 0);
    fields->addWidget(Option2, 0, 1);
    fields->addWidget(Text1, 1, 0);
    fields->addWidget(Text2, 1, 1);
    fields->addWidget(Text3, 2, 0, 1, 2);
    fields->setColumnStretch(0, 3);
    fields->setColumnStretch(1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Shape1);
    layout->addLayout(buttons);
    layout->activate();
    resize(QSize(420, 0).expandedTo(minimumSizeHint()));

    connect(Command1, &QPushButton::clicked, this, &F_sakujo::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &F_sakujo::Command2_Click);
    Form_Load();
}

void F_sakujo::Form_Load()
{
    centreOver(*this, mainWindow_);
    setWindowTitle(kAppTitle);
    (kind_ == ListKind::Todo ? Option1 : Option2)->setChecked(true);
    Text1->setText(item_.date);
    Text2->setText(item_.time);
    Text3->setText(item_.content);
    Text3->setCursorPosition(0);
}

void F_sakujo::Command1_Click() { accept(); }

void F_sakujo::Command2_Click() { reject(); }
