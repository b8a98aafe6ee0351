#include "settings/f_memdata.h"

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

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

QLabel* label(const char* name, const QString& text, QWidget* parent)
{
    auto* l = named<QLabel>(name, parent, text);
    l->setWordWrap(true);
    return l;
}

}   // namespace

F_memdata::F_memdata(const AppSettings& settings, Ui& ui, QWidget* mainWindow)
    : QDialog(mainWindow), settings_(settings), ui_(ui), mainWindow_(mainWindow)
{
    setObjectName(QStringLiteral("F_memdata"));

    Label1 = label(
        "Label1",
        QStringLiteral(
            "やることや予定を見たい人の名前と、その人のデータが格納されているドライブ、ディレクトリを指定して下さい。"),
        this);
    List1 = named<QListWidget>("List1", this);
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    Label6 = label("Label6", QStringLiteral("←変更前の名前をここから　選んで下さい"), this);
    Label4 = label("Label4", QStringLiteral("氏名(変更前)"), this);
    Text1 = named<QLineEdit>("Text1", this);
    Text1->setReadOnly(true);
    Label5 = label("Label5", QStringLiteral("ディレクトリ(変更前)"), this);
    Text2 = named<QLineEdit>("Text2", this);
    Text2->setReadOnly(true);
    Label2 = label("Label2", QStringLiteral("氏名(変更後)"), this);
    Text3 = named<QLineEdit>("Text3", this);
    Label3 = label("Label3", QStringLiteral("ディレクトリ(変更後)"), this);
    Text4 = named<QLineEdit>("Text4", this);
    Drive1 = named<DriveListBox>("Drive1", this);
    Dir1 = named<DirListBox>("Dir1", this);
    Command1 = named<QPushButton>("Command1", this, QStringLiteral("決定"));
    Command2 = named<QPushButton>("Command2", this, QStringLiteral("中止"));
    Command3 = named<QPushButton>("Command3", this, QStringLiteral("追加"));
    Command4 = named<QPushButton>("Command4", this, QStringLiteral("削除"));
    Command3->setAutoDefault(false);
    Command4->setAutoDefault(false);

    auto* fields = new QGridLayout;
    fields->addWidget(Label6, 0, 0, 1, 2);
    fields->addWidget(Label4, 1, 0);
    fields->addWidget(Text1, 1, 1);
    fields->addWidget(Label5, 2, 0);
    fields->addWidget(Text2, 2, 1);
    fields->addWidget(Label2, 3, 0);
    fields->addWidget(Text3, 3, 1);
    fields->addWidget(Label3, 4, 0);
    fields->addWidget(Text4, 4, 1);
    fields->addWidget(Drive1, 5, 0, 1, 2);
    fields->addWidget(Dir1, 6, 0, 1, 2);
    fields->setRowStretch(6, 1);
    fields->setColumnStretch(1, 1);

    auto* listButtons = new QHBoxLayout;
    listButtons->addWidget(Command3);
    listButtons->addWidget(Command4);
    auto* listColumn = new QVBoxLayout;
    listColumn->addWidget(List1, 1);
    listColumn->addLayout(listButtons);
    auto* middle = new QHBoxLayout;
    middle->addLayout(listColumn, 2);
    middle->addLayout(fields, 3);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addLayout(middle, 1);
    finishWithButtons(*this, *layout, *Command1, *Command2, QSize(600, 460));

    connect(List1, &QListWidget::currentRowChanged, this, &F_memdata::List1_Click);
    // A click on the line already chosen fills the texts again.
    connect(List1, &QListWidget::itemClicked, this, &F_memdata::List1_Click);
    connect(Dir1, &DirListBox::pathChanged, this, &F_memdata::Dir1_Change);
    connect(Dir1, &QAbstractItemView::clicked, this, &F_memdata::Dir1_Click);
    connect(Drive1, &QComboBox::currentIndexChanged, this, &F_memdata::Drive1_Change);
    connect(Command1, &QPushButton::clicked, this, &F_memdata::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &F_memdata::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &F_memdata::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &F_memdata::Command4_Click);

    Form_Load();
}

void F_memdata::Form_Load()
{
    centreOver(*this, mainWindow_);
    setWindowTitle(kAppTitle);
    rememberedDrive_ = startAtWorkingDirectory(*Drive1, *Dir1);
    Text1->clear();
    Text2->clear();
    Text3->clear();
    Text4->clear();

    const QSignalBlocker block(List1);
    List1->clear();
    for (int slot : usedMemberSlots(settings_)) {
        if (slot == 0)
            continue;
        auto* line = new QListWidgetItem(settings_.memberName(slot), List1);
        line->setData(Qt::UserRole, slot);
    }
}

int F_memdata::selectedSlot() const
{
    // Focus alone can make a line current without selecting it; that is no choice.
    const QListWidgetItem* item = List1->currentItem();
    return item && item->isSelected() ? item->data(Qt::UserRole).toInt() : 0;
}

void F_memdata::List1_Click()
{
    const int slot = selectedSlot();
    if (slot == 0)
        return;
    adding_ = false;
    Text1->setText(settings_.memberName(slot));
    Text2->setText(settings_.memberDirectory(slot));
    Text3->setFocus();
}

void F_memdata::Command3_Click()
{
    if (firstFreeSlot(settings_) == 0) {
        ui_.message(this, QStringLiteral("これ以上メンバーを追加できません（９９人まで）。"), MsgButtons::Ok,
                    MsgIcon::Exclamation);
        return;
    }
    adding_ = true;
    List1->clearSelection();
    Text1->setText(QStringLiteral("（新しいメンバー）"));
    Text2->clear();
    Text3->clear();
    Text3->setFocus();
}

void F_memdata::Command4_Click()
{
    const int slot = selectedSlot();
    if (slot == 0) {
        ui_.message(this, QStringLiteral("削除するメンバーを選んで下さい。"), MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    if (ui_.message(this,
                    QStringLiteral("%1 さんをメンバーから外しますか？\n（%1 さんのデータはそのまま残ります）")
                        .arg(settings_.memberName(slot)),
                    MsgButtons::YesNo, MsgIcon::Question) != MsgAnswer::Yes)
        return;
    entry_ = {slot, QString(), QString(), true};
    accept();
}

void F_memdata::Dir1_Change() { Text4->setText(Dir1->path()); }

void F_memdata::Dir1_Click() { Text4->setText(Dir1->path()); }

void F_memdata::Drive1_Change()
{
    followDriveChoice(*Drive1, *Dir1, rememberedDrive_, ui_);
    Text4->setText(Dir1->path());
}

void F_memdata::Command1_Click()
{
    if (Text3->text().isEmpty()) {
        ui_.beep();
        ui_.message(this, QStringLiteral("変更後の名前を入力して下さい。"), MsgButtons::Ok, MsgIcon::Exclamation);
        Text3->setFocus();
        return;
    }
    if (Text4->text().isEmpty()) {
        ui_.beep();
        ui_.message(this, QStringLiteral("データを格納するディレクトリを指定して下さい。"), MsgButtons::Ok,
                    MsgIcon::Exclamation);
        Text4->setFocus();
        return;
    }
    if (const QString problem = nameTextProblem(Text3->text(), QStringLiteral("氏名(変更後)")); !problem.isEmpty()) {
        ui_.beep();
        ui_.message(this, problem, MsgButtons::Ok, MsgIcon::Exclamation);
        Text3->setFocus();
        return;
    }
    if (const QString problem = directoryTextProblem(Text4->text()); !problem.isEmpty()) {
        ui_.beep();
        ui_.message(this, problem, MsgButtons::Ok, MsgIcon::Exclamation);
        Text4->setFocus();
        return;
    }
    const int slot = adding_ ? firstFreeSlot(settings_) : selectedSlot();
    if (slot == 0) {
        ui_.message(this, QStringLiteral("変更する名前を指定して下さい。"), MsgButtons::Ok, MsgIcon::Exclamation);
        Text3->setFocus();
        return;
    }
    entry_ = {slot, Text3->text(), withTrailingSeparator(Text4->text()), false};
    accept();
}

void F_memdata::Command2_Click() { reject(); }
