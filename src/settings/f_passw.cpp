#include "settings/f_passw.h"

#include "core/password.h"
#include "ui/centre.h"
#include "ui/dialog_buttons.h"
#include "ui/named.h"
#include "ui/ui.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* wrapping(const char* name, const QString& text, QWidget* parent)
{
    auto* label = named<QLabel>(name, parent, text);
    label->setWordWrap(true);
    return label;
}

// Typed characters never show.
QLineEdit* passwordBox(const char* name, QWidget* parent)
{
    auto* box = named<QLineEdit>(name, parent);
    box->setEchoMode(QLineEdit::Password);
    return box;
}

}   // namespace

F_passw::F_passw(PasswordActions actions, Ui& ui, QWidget* mainWindow)
    : QDialog(mainWindow), actions_(std::move(actions)), ui_(ui), mainWindow_(mainWindow)
{
    setObjectName(QStringLiteral("F_passw"));
    Label1 = wrapping(
        "Label1",
        QStringLiteral("パスワードを設定すると、パスワードを知らない人は【ぽるか】を使うことが出来なくなります。"),
        this);
    Label2 = wrapping("Label2", QStringLiteral("以下にパスワードを２回入力して下さい。"), this);
    Label3 = named<QLabel>("Label3", this, QStringLiteral("１回目"));
    Text1 = passwordBox("Text1", this);
    Label4 = named<QLabel>("Label4", this, QStringLiteral("２回目"));
    Text2 = passwordBox("Text2", this);
    Label5 = wrapping(
        "Label5",
        QStringLiteral("設定したパスワードを忘れてしまうと、調べる方法はありませんので、良く注意して下さい。"), this);
    Command2 = named<QPushButton>("Command2", this, QStringLiteral("決定"));
    Command1 = named<QPushButton>("Command1", this, QStringLiteral("ﾊﾟｽﾜｰﾄﾞを消す"));
    Command3 = named<QPushButton>("Command3", this, QStringLiteral("中止"));

    auto* boxes = new QGridLayout;
    boxes->addWidget(Label3, 0, 0);
    boxes->addWidget(Text1, 0, 1);
    boxes->addWidget(Label4, 1, 0);
    boxes->addWidget(Text2, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* b : {Command2, Command1, Command3})
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Label2);
    layout->addLayout(boxes);
    layout->addWidget(Label5);
    layout->addLayout(buttons);
    sizeToContents(*this, QSize(440, 0));

    connect(Command2, &QPushButton::clicked, this, &F_passw::Command2_Click);
    connect(Command1, &QPushButton::clicked, this, &F_passw::Command1_Click);
    connect(Command3, &QPushButton::clicked, this, &F_passw::Command3_Click);
    Form_Load();
}

void F_passw::Form_Load()
{
    centreOver(*this, mainWindow_);
    setWindowTitle(kAppTitle);
}

void F_passw::Command2_Click()
{
    if (Text1->text().isEmpty()) {
        ui_.message(this, QStringLiteral("１回目のパスワードを入力して下さい"));
        return;
    }
    if (Text2->text() != Text1->text()) {
        ui_.message(this, QStringLiteral("１回目の２回目のパスワードが違います"));
        return;
    }
    const std::optional<QByteArray> line = encodePassword(Text1->text());
    if (!line) {
        ui_.message(this, kUnusableCharactersMessage + QStringLiteral("\n（パスワード）"));
        return;
    }
    for (;;) {
        const FileStatus written = actions_.set(*line);
        if (written.ok())
            break;
        QString text =
            QStringLiteral("パスワードを保存できませんでした。\n%1").arg(QDir::toNativeSeparators(actions_.path));
        if (!written.detail().isEmpty())
            text += QStringLiteral("\n(%1)").arg(written.detail());
        if (ui_.message(this, text, MsgButtons::RetryCancel, MsgIcon::Exclamation) != MsgAnswer::Retry)
            return;
    }
    accept();
}

void F_passw::Command1_Click()
{
    if (!actions_.isSet()) {
        ui_.message(this, QStringLiteral("パスワードは設定されていません"));
        return;
    }
    const FileStatus removed = actions_.remove();
    if (!removed.ok()) {
        QString text =
            QStringLiteral("パスワードを消せませんでした。\n%1").arg(QDir::toNativeSeparators(actions_.path));
        if (!removed.detail().isEmpty())
            text += QStringLiteral("\n(%1)").arg(removed.detail());
        ui_.message(this, text, MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    ui_.message(this, QStringLiteral("パスワードを消しました"));
}

void F_passw::Command3_Click() { reject(); }
