#include "settings/f_mydata.h"

#include "settings/typed_text.h"

#include "settings/drive_follow.h"
#include "store/file_access.h"
#include "store/settings_file.h"
#include "ui/centre.h"
#include "ui/dialog_buttons.h"
#include "ui/dir_list.h"
#include "ui/drive_list.h"
#include "ui/named.h"
#include "ui/ui.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

QLabel* wrappingLabel(const char* name, const QString& text, QWidget* parent)
{
    auto* label = named<QLabel>(name, parent, text);
    label->setWordWrap(true);
    return label;
}

}   // namespace

F_mydata::F_mydata(const AppSettings& settings, const QString& programDir, Ui& ui, QWidget* mainWindow)
    : QDialog(mainWindow), settings_(settings), programDir_(programDir), ui_(ui), mainWindow_(mainWindow)
{
    setObjectName(QStringLiteral("F_mydata"));

    Label1 = wrappingLabel("Label1", QStringLiteral("① 自分の名前（又はニックネームなど）を入力して下さい。"), this);
    Label4 = wrappingLabel("Label4", QStringLiteral("自分の名前："), this);
    Label4->setWordWrap(false);
    Text1 = named<QLineEdit>("Text1", this);
    Label2 = wrappingLabel(
        "Label2",
        QStringLiteral("② データを格納するドライブとディレクトリを、以下のリストから選択　 して下さい。"
                       "（ネットワークを使用していない場合は、変更する必要　 はありません。"
                       "ネットワークを使用している場合で、自分のデータを　 他のメンバーにも公開する場合は、"
                       "ネットワーク上の共用ドライブを　 指定して下さい。）"),
        this);
    Label5 = wrappingLabel("Label5", QStringLiteral("データを格納するドライブとディレクトリ"), this);
    Drive1 = named<DriveListBox>("Drive1", this);
    Dir1 = named<DirListBox>("Dir1", this);
    Text2 = named<QLineEdit>("Text2", this);
    Command1 = named<QPushButton>("Command1", this, QStringLiteral("決定"));
    Command2 = named<QPushButton>("Command2", this, QStringLiteral("中止"));
    Command3 = named<QPushButton>("Command3", this, QStringLiteral("新しいフォルダ"));
    Command3->setAutoDefault(false);

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(Label4);
    nameRow->addWidget(Text1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addLayout(nameRow);
    layout->addSpacing(8);
    layout->addWidget(Label2);
    layout->addWidget(Label5);
    layout->addWidget(Drive1);
    layout->addWidget(Dir1, 1);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(Text2, 1);
    folderRow->addWidget(Command3);
    layout->addLayout(folderRow);
    finishWithButtons(*this, *layout, *Command1, *Command2, QSize(460, 480));

    connect(Dir1, &DirListBox::pathChanged, this, &F_mydata::Dir1_Change);
    connect(Drive1, &QComboBox::currentIndexChanged, this, &F_mydata::Drive1_Change);
    connect(Command1, &QPushButton::clicked, this, &F_mydata::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &F_mydata::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &F_mydata::Command3_Click);

    Form_Load();
}

void F_mydata::Form_Load()
{
    centreOver(*this, mainWindow_);
    setWindowTitle(kAppTitle);

    const QString name = settings_.ownName();
    Text1->setText(name.isEmpty() ? QStringLiteral("自分") : name);
    const QString dir = settings_.ownDirectory();
    Text2->setText(dir.isEmpty() ? proposedDataFolder(programDir_, QDir::homePath()) : dir);
    // The lists start at the folder in the path box (or the nearest one above
    // it that exists); choosing in them fills the box.
    {
        const QSignalBlocker keepText(Dir1);
        rememberedDrive_ = startAtFolder(*Drive1, *Dir1, Text2->text());
    }
}

void F_mydata::Dir1_Change() { Text2->setText(Dir1->path()); }

void F_mydata::Drive1_Change()
{
    followDriveChoice(*Drive1, *Dir1, rememberedDrive_, ui_);
    Text2->setText(Dir1->path());
}

void F_mydata::Command1_Click()
{
    if (Text1->text().isEmpty()) {
        ui_.beep();
        ui_.message(this, QStringLiteral("名前を入力して下さい。"), MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    if (Text2->text().isEmpty()) {
        ui_.beep();
        ui_.message(this, QStringLiteral("データを格納するディレクトリを指定して下さい。"), MsgButtons::Ok,
                    MsgIcon::Exclamation);
        return;
    }
    if (const QString problem = nameTextProblem(Text1->text(), QStringLiteral("自分の名前")); !problem.isEmpty()) {
        ui_.beep();
        ui_.message(this, problem, MsgButtons::Ok, MsgIcon::Exclamation);
        Text1->setFocus();
        return;
    }
    if (const QString problem = directoryTextProblem(Text2->text()); !problem.isEmpty()) {
        ui_.beep();
        ui_.message(this, problem, MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }

    // A folder that is not there yet is made, when the user agrees.
    const QString folder = QDir::fromNativeSeparators(Text2->text());
    if (!QFileInfo(folder).isDir()) {
        if (ui_.message(this, QStringLiteral("フォルダ（%1）がありません。\n作りますか？").arg(Text2->text()),
                        MsgButtons::YesNo, MsgIcon::Question) != MsgAnswer::Yes)
            return;
        if (!QDir().mkpath(folder)) {
            ui_.message(this, QStringLiteral("フォルダ（%1）を作れませんでした。").arg(Text2->text()), MsgButtons::Ok,
                        MsgIcon::Exclamation);
            return;
        }
    }
    entry_ = {Text1->text(), withTrailingSeparator(Text2->text())};
    accept();
}

void F_mydata::Command3_Click()
{
    QInputDialog ask(this);
    ask.setObjectName(QStringLiteral("NewFolder"));
    ask.setWindowTitle(kAppTitle);
    ask.setLabelText(QStringLiteral("%1 の中に作るフォルダの名前").arg(Dir1->path()));
    ask.setTextValue(QStringLiteral("ぽるか"));
    if (ui_.runModal(ask) != QDialog::Accepted)
        return;
    const QString name = ask.textValue().trimmed();
    const QString parent = QDir::fromNativeSeparators(Dir1->path());
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || !QDir(parent).mkpath(name)) {
        ui_.message(this, QStringLiteral("フォルダ（%1）を作れませんでした。").arg(name), MsgButtons::Ok,
                    MsgIcon::Exclamation);
        return;
    }
    Dir1->setPath(QDir(parent).filePath(name));
    Text2->setText(Dir1->path());
}

void F_mydata::Command2_Click() { reject(); }
