#include "settings/f_ansyo.h"

#include "core/password.h"
#include "ui/centre.h"
#include "ui/dialog_buttons.h"
#include "ui/named.h"
#include "ui/ui.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

F_ansyo::F_ansyo(QByteArray storedLine, Ui& ui) : storedLine_(std::move(storedLine)), ui_(ui)
{
    setObjectName(QStringLiteral("F_ansyo"));
    Label1 = named<QLabel>("Label1", this, QStringLiteral("パスワードを入力して下さい。"));
    Text1 = named<QLineEdit>("Text1", this);
    Text1->setEchoMode(QLineEdit::Password);
    Command1 = named<QPushButton>("Command1", this, QStringLiteral("ＯＫ"));
    Command2 = named<QPushButton>("Command2", this, QStringLiteral("中止"));
    Command1->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Text1);
    layout->addLayout(buttons);
    layout->activate();
    sizeToContents(*this, QSize(320, 0));

    connect(Command1, &QPushButton::clicked, this, &F_ansyo::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &F_ansyo::Command2_Click);
    Form_Load();
}

void F_ansyo::Form_Load()
{
    // Before any other window: the middle of the screen.
    centreOver(*this, nullptr);
    setWindowTitle(kAppTitle);
}

void F_ansyo::Command1_Click()
{
    if (Text1->text().isEmpty()) {
        ui_.message(this, QStringLiteral("パスワードを入力して下さい"));
        return;
    }
    if (passwordMatches(Text1->text(), storedLine_)) {
        accept();
        return;
    }
    ui_.message(this, QStringLiteral("パスワードが違います"));
    reject();
}

void F_ansyo::Command2_Click() { reject(); }
