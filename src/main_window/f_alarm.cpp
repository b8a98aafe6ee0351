#include "main_window/f_alarm.h"

#include "ui/centre.h"
#include "ui/named.h"
#include "ui/ui.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLineEdit* shownText(QWidget* parent, const char* name)
{
    auto* edit = named<QLineEdit>(name, parent);
    edit->setReadOnly(true);
    return edit;
}

QLabel* caption(QWidget* parent, const char* name, const QString& text, QWidget* buddy = nullptr)
{
    auto* label = named<QLabel>(name, parent, text);
    if (buddy)
        label->setBuddy(buddy);
    return label;
}

}  // namespace

F_Alarm::F_Alarm(const AlarmNotice& notice, Ui& ui, QWidget* parent) : QDialog(parent), notice_(notice), ui_(ui)
{
    setObjectName(QStringLiteral("F_Alarm"));
    setWindowTitle(kAlarmTitle);
    // Above every other window, so that it is seen whatever the user is doing.
    setWindowFlag(Qt::WindowStaysOnTopHint);

    Label1 = caption(this, "Label1", QStringLiteral("間もなくお時間でございます。"));
    Text1 = shownText(this, "Text1");
    Text2 = shownText(this, "Text2");
    Text4 = shownText(this, "Text4");
    Text3 = shownText(this, "Text3");
    Label2 = caption(this, "Label2", QStringLiteral("日付"), Text1);
    Label3 = caption(this, "Label3", QStringLiteral("時刻"), Text2);
    Label4 = caption(this, "Label4", QStringLiteral("名前"), Text4);
    Label5 = caption(this, "Label5", QStringLiteral("内容"), Text3);
    Command1 = named<QPushButton>("Command1", this, QStringLiteral("わかった"));
    Command1->setDefault(true);

    // Date, time and name side by side; the content gets the whole width below.
    auto* fields = new QGridLayout;
    fields->addWidget(Label2, 0, 0);
    fields->addWidget(Label3, 0, 1);
    fields->addWidget(Label4, 0, 2);
    fields->addWidget(Text1, 1, 0);
    fields->addWidget(Text2, 1, 1);
    fields->addWidget(Text4, 1, 2);
    fields->addWidget(Label5, 2, 0, 1, 3);
    fields->addWidget(Text3, 3, 0, 1, 3);
    fields->setColumnStretch(0, 3);
    fields->setColumnStretch(1, 2);
    fields->setColumnStretch(2, 3);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command1);
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    layout->activate();
    resize(QSize(420, 0).expandedTo(minimumSizeHint()));

    connect(Command1, &QPushButton::clicked, this, &F_Alarm::Command1_Click);
    Form_Load();
}

void F_Alarm::Form_Load()
{
    // The notice may come while the main window is minimised: the screen's
    // middle, not the window's.
    centreOver(*this, nullptr);
    ui_.beep();
    Text1->setText(notice_.date);
    Text2->setText(notice_.time);
    Text3->setText(notice_.content);
    Text4->setText(notice_.person);
    Text3->setCursorPosition(0);
}

void F_Alarm::Command1_Click() { accept(); }

void F_Alarm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    raise();
    activateWindow();
}
