#include "entry/f_kinyu.h"

#include "entry/registration.h"
#include "store/memo.h"
#include "ui/calendar.h"
#include "ui/centre.h"
#include "ui/named.h"
#include "ui/ui.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

const QString kYearDashes = QStringLiteral("----");
const QString kDashes = QStringLiteral("--");
const QString kZero = QStringLiteral("0");

QLabel* label(const char* name, const QString& text, QWidget* parent) { return named<QLabel>(name, parent, text); }

QRadioButton* option(const char* name, const QString& caption, QWidget* frame)
{
    return named<QRadioButton>(name, frame, caption);
}

QCheckBox* check(const char* name, const QString& caption, QWidget* frame)
{
    return named<QCheckBox>(name, frame, caption);
}

QGroupBox* frame(const char* name, const QString& caption, QWidget* parent)
{
    return named<QGroupBox>(name, parent, caption);
}

// The hour and minute buttons hand the focus to 登録, so that Enter then
// registers; they never become the button Enter presses themselves.
QPushButton* pickerButton(const QString& name, const QString& caption, QWidget* frame)
{
    auto* b = new QPushButton(caption, frame);
    b->setObjectName(name);
    b->setAutoDefault(false);
    b->setCheckable(true);   // the hour and minute chosen stay pressed (showTime)
    b->setMinimumWidth(32);
    return b;
}

// Runs the click handler whenever the option becomes selected, from code or by the user.
template <class F> void onSelected(QRadioButton* button, F handler)
{
    QObject::connect(button, &QRadioButton::toggled, button, [handler](bool on) {
        if (on)
            handler();
    });
}

void fillPersons(QComboBox& combo, const AppSettings& settings, const QString& text)
{
    combo.clear();
    for (int slot : usedMemberSlots(settings))
        combo.addItem(settings.memberName(slot));
    combo.setEditText(text);
}

}   // namespace

F_kinyu::F_kinyu(EntryContext context) : QDialog(context.mainWindow), ctx_(std::move(context))
{
    setObjectName(QStringLiteral("F_kinyu"));
    buildControls();
    Form_Load();
}

void F_kinyu::buildControls()
{
    Command25 = named<QPushButton>("Command25", this, QStringLiteral("登録"));
    Command26 = named<QPushButton>("Command26", this, QStringLiteral("中止"));
    // Enter registers (登録 is the default button), but never the Enter that
    // confirms an input method's conversion; Enter on a focused button
    // presses that button (see eventFilter).
    for (QPushButton* b : {Command25, Command26}) {
        b->setAutoDefault(false);
        b->installEventFilter(this);
    }
    Command25->setDefault(true);
    Label12 = label("Label12", QStringLiteral("内容"), this);
    T_naiyo = named<QLineEdit>("T_naiyo", this);
    T_memo = named<QPlainTextEdit>("T_memo", this);
    T_memo->setTabChangesFocus(true);
    T_memo->setPlaceholderText(QStringLiteral("メモ"));
    Label7 = label("Label7", QStringLiteral("やる人"), this);
    cmbo_tanto = named<QComboBox>("cmbo_tanto", this);
    cmbo_tanto->setEditable(true);
    T_naiyo->installEventFilter(this);
    cmbo_tanto->lineEdit()->installEventFilter(this);
    cmbo_tanto->setInsertPolicy(QComboBox::NoInsert);

    Frame2 = frame("Frame2", QStringLiteral("期限"), this);
    CSCalendar1 = named<Calendar>("CSCalendar1", Frame2);
    chk_jyuyo = check("chk_jyuyo", QStringLiteral("重要"), Frame2);
    chk_secret = check("chk_secret", QStringLiteral("ヒミツ"), Frame2);
    chk_alarm = check("chk_alarm", QStringLiteral("お知らせ"), Frame2);
    op_kaki = option("op_kaki", QStringLiteral("下記"), Frame2);
    op_kyou = option("op_kyou", QStringLiteral("今日中"), Frame2);
    op_kigennasi = option("op_kigennasi", QStringLiteral("期限無し"), Frame2);
    L_nen = label("L_nen", QString(), Frame2);
    Label2 = label("Label2", QStringLiteral("年"), Frame2);
    L_tuki = label("L_tuki", QString(), Frame2);
    Label4 = label("Label4", QStringLiteral("月"), Frame2);
    L_hi = label("L_hi", QString(), Frame2);
    Label6 = label("Label6", QStringLiteral("日"), Frame2);
    L_ji = label("L_ji", QString(), Frame2);
    Label9 = label("Label9", QStringLiteral("時"), Frame2);
    L_fun = label("L_fun", QString(), Frame2);
    Label11 = label("Label11", QStringLiteral("分"), Frame2);
    L_jikokunasi = label("L_jikokunasi", QStringLiteral("時刻なし"), Frame2);

    frm_ji = frame("frm_ji", QStringLiteral("時"), Frame2);
    op_am = option("op_am", QStringLiteral("AM"), frm_ji);
    op_pm = option("op_pm", QStringLiteral("PM"), frm_ji);
    op_jikokunasi = option("op_jikokunasi", QStringLiteral("時刻指定無し"), frm_ji);
    for (int n = 0; n < 12; ++n) {
        ji[std::size_t(n)] = pickerButton(QStringLiteral("ji%1").arg(n), QString::number(n), frm_ji);
        connect(ji[std::size_t(n)], &QPushButton::clicked, this, [this, n] { ji0_Click(n); });
    }

    frm_fun = frame("frm_fun", QStringLiteral("分"), Frame2);
    for (int n = 0; n < 12; ++n) {
        const QString minute = QStringLiteral("%1").arg(n * 5, 2, 10, QLatin1Char('0'));
        fun[std::size_t(n)] = pickerButton(QStringLiteral("fun") + minute, minute, frm_fun);
        connect(fun[std::size_t(n)], &QPushButton::clicked, this, [this, n] { fun00_Click(n); });
    }

    FRM_syubetu = frame("FRM_syubetu", QStringLiteral("種別"), this);
    op_sche = option("op_sche", QStringLiteral("予定"), FRM_syubetu);
    op_todo = option("op_todo", QStringLiteral("やること"), FRM_syubetu);

    // Each frame's option buttons form one group. Qt's automatic grouping by
    // parent looks at every descendant, so the buttons of frm_ji would fall
    // into Frame2's group as well; explicit groups keep the three apart.
    const auto group = [](QWidget* frame, std::initializer_list<QRadioButton*> buttons) {
        auto* g = new QButtonGroup(frame);
        for (QRadioButton* b : buttons)
            g->addButton(b);
    };
    group(frm_ji, {op_am, op_pm, op_jikokunasi});
    group(Frame2, {op_kaki, op_kyou, op_kigennasi});
    group(FRM_syubetu, {op_sche, op_todo});

    auto* jiLayout = new QGridLayout(frm_ji);
    jiLayout->addWidget(op_am, 0, 0, 1, 2);
    jiLayout->addWidget(op_pm, 0, 2, 1, 2);
    jiLayout->addWidget(op_jikokunasi, 0, 4, 1, 2);
    for (int n = 0; n < 12; ++n)
        jiLayout->addWidget(ji[std::size_t(n)], 1 + n / 6, n % 6);
    auto* funLayout = new QGridLayout(frm_fun);
    for (int n = 0; n < 12; ++n)
        funLayout->addWidget(fun[std::size_t(n)], n / 6, n % 6);

    auto* deadlineRow = new QHBoxLayout;
    for (QWidget* w : {op_kaki, op_kyou, op_kigennasi})
        deadlineRow->addWidget(w);
    deadlineRow->addStretch(1);
    auto* labelRow = new QHBoxLayout;
    for (QWidget* w : {L_nen, Label2, L_tuki, Label4, L_hi, Label6, L_ji, Label9, L_fun, Label11, L_jikokunasi})
        labelRow->addWidget(w);
    labelRow->addStretch(1);
    auto* checkRow = new QHBoxLayout;
    for (QWidget* w : {chk_jyuyo, chk_secret, chk_alarm})
        checkRow->addWidget(w);
    checkRow->addStretch(1);
    auto* pickers = new QVBoxLayout;
    pickers->addLayout(deadlineRow);
    pickers->addLayout(labelRow);
    pickers->addWidget(frm_ji);
    pickers->addWidget(frm_fun);
    pickers->addLayout(checkRow);
    pickers->addStretch(1);
    auto* frame2Layout = new QHBoxLayout(Frame2);
    frame2Layout->addWidget(CSCalendar1);
    frame2Layout->addLayout(pickers, 1);

    auto* kindLayout = new QHBoxLayout(FRM_syubetu);
    kindLayout->addWidget(op_todo);
    kindLayout->addWidget(op_sche);

    auto* contentRow = new QHBoxLayout;
    contentRow->addWidget(Label12);
    contentRow->addWidget(T_naiyo, 1);
    auto* personRow = new QHBoxLayout;
    personRow->addWidget(Label7);
    personRow->addWidget(cmbo_tanto, 1);
    personRow->addWidget(FRM_syubetu);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command25);
    buttons->addWidget(Command26);
    // Everything but 登録 and 中止 sits on a sheet that scrolls when the
    // screen is smaller than the form (a large display scale).
    auto* sheet = new QWidget;
    sheet->setObjectName(QStringLiteral("sheet"));
    auto* body = new QVBoxLayout(sheet);
    body->setContentsMargins(0, 0, 0, 0);
    body->addLayout(contentRow);
    body->addLayout(personRow);
    body->addWidget(Frame2);
    body->addWidget(T_memo, 1);
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("sheetScroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(sheet);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(scroll, 1);
    layout->addLayout(buttons);
    layout->activate();
    // The whole sheet when the screen has room for it, else as much as fits.
    const int margins = layout->contentsMargins().left() + layout->contentsMargins().right();
    QSize whole = sheet->sizeHint() +
        QSize(margins + scroll->verticalScrollBar()->sizeHint().width(),
              layout->contentsMargins().top() + layout->contentsMargins().bottom() + layout->spacing() +
                  Command25->sizeHint().height());
    if (const QScreen* screen = ctx_.mainWindow ? ctx_.mainWindow->screen() : QGuiApplication::primaryScreen())
        whole = whole.boundedTo(screen->availableGeometry().size() - QSize(16, 48));
    setMinimumSize(QSize(320, 240).boundedTo(whole));
    resize(whole);

    // Tab runs as the form reads, top to bottom; typing starts in the content box.
    QList<QWidget*> order{T_naiyo, cmbo_tanto,   op_todo, op_sche, CSCalendar1,  op_kaki,
                          op_kyou, op_kigennasi, op_am,   op_pm,   op_jikokunasi};
    order.append(QList<QWidget*>(ji.begin(), ji.end()));
    order.append(QList<QWidget*>(fun.begin(), fun.end()));
    order << chk_jyuyo << chk_secret << chk_alarm << T_memo << Command25 << Command26;
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    T_naiyo->setFocus();

    connect(CSCalendar1, &Calendar::Change, this, &F_kinyu::CSCalendar1_Change);
    onSelected(op_kaki, [this] { op_kaki_Click(); });
    onSelected(op_kyou, [this] { op_kyou_Click(); });
    onSelected(op_kigennasi, [this] { op_kigennasi_Click(); });
    onSelected(op_am, [this] { op_am_Click(); });
    onSelected(op_pm, [this] { op_pm_Click(); });
    onSelected(op_jikokunasi, [this] { op_jikokunasi_Click(); });
    connect(Command25, &QPushButton::clicked, this, &F_kinyu::Command25_Click);
    connect(Command26, &QPushButton::clicked, this, &F_kinyu::Command26_Click);
}

bool F_kinyu::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == T_naiyo || watched == cmbo_tanto->lineEdit()) {
        // A conversion under way: the Enter that confirms it is the input
        // method's, whatever reaches the field.
        if (event->type() == QEvent::InputMethod)
            composing_ = !static_cast<QInputMethodEvent*>(event)->preeditString().isEmpty();
        if (event->type() == QEvent::KeyPress && composing_) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter)
                return true;
        }
        return QDialog::eventFilter(watched, event);
    }
    if (event->type() == QEvent::KeyPress && (watched == Command25 || watched == Command26)) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            static_cast<QPushButton*>(watched)->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void F_kinyu::Form_Load()
{
    centreOver(*this, ctx_.mainWindow);
    // A change says so, in the title and on the button that registers it.
    const bool changing = ctx_.targetKind != TargetKind::New;
    setWindowTitle(changing ? kAppTitle + QStringLiteral("　－　項目の変更") : kAppTitle);
    Command25->setText(changing ? QStringLiteral("変更") : QStringLiteral("登録"));

    switch (ctx_.targetKind) {
    case TargetKind::New:
        op_todo->setEnabled(true);
        op_sche->setEnabled(true);
        op_todo->setChecked(true);
        fillPersons(*cmbo_tanto, ctx_.core.settings(), ctx_.core.settings().ownName());
        op_kaki->setChecked(true);
        op_pm->setChecked(true);
        CSCalendar1->setDate(ctx_.calendarDate);
        datePartsFromCalendar();
        L_ji->setText(kZero);
        L_fun->setText(kZero);
        break;
    case TargetKind::ChangeTodo:
        if (ctx_.row >= 1 && ctx_.row <= ctx_.core.store().todos.count())
            loadItem(ctx_.core.store().todos[ctx_.row]);
        break;
    case TargetKind::ChangeSchedule:
        if (ctx_.row >= 1 && ctx_.row <= ctx_.core.store().schedules.count())
            loadItem(ctx_.core.store().schedules[ctx_.row]);
        break;
    }
    showTime();
}

void F_kinyu::loadItem(const OpenItem& item)
{
    op_todo->setEnabled(true);
    op_sche->setEnabled(true);
    (ctx_.targetKind == TargetKind::ChangeTodo ? op_todo : op_sche)->setChecked(true);
    T_naiyo->setText(contentForEditing(item));
    fillPersons(*cmbo_tanto, ctx_.core.settings(), item.person.text());

    const QString date = item.date.text();
    if (item.date == sentinel::kToday || item.date == sentinel::kNoDeadline) {
        CSCalendar1->setDate(ctx_.calendarDate);
        (item.date == sentinel::kToday ? op_kyou : op_kigennasi)->setChecked(true);
        noDateSettings();
    } else {
        CSCalendar1->setDate(QDate::fromString(date, QStringLiteral("yyyy/MM/dd")));
        op_kaki->setChecked(true);
        L_nen->setText(date.mid(0, 4));
        L_tuki->setText(date.mid(5, 2));
        L_hi->setText(date.mid(8, 2));
        if (item.time == sentinel::kNoTime) {
            op_jikokunasi->setChecked(true);
        } else {
            const QString time = item.time.text();
            L_ji->setText(time.mid(0, 2));
            L_fun->setText(time.mid(3, 2));
            // The half of the day the hour is in, so that its button shows pressed.
            (time.mid(0, 2).toInt() < 12 ? op_am : op_pm)->setChecked(true);
        }
    }
    chk_secret->setChecked(isSecret(item));
    chk_jyuyo->setChecked(isImportant(item));

    T_memo->clear();
    memoAsLoaded_ = QString();
    if (const int m = memoNumber(item.memoNo)) {
        MemoRead read;
        FileErrorHandler handler = ctx_.trap();
        (void)handler.run(
            [&] {
                read = readMemo(memoPath(ctx_.core.settings().ownDirectory(), m));
                // A memo file that is gone shows as no memo; registering then
                // drops the dangling number or writes the file anew.
                return read.status.error == FileError::FileNotFound ? FileStatus::success() : read.status;
            },
            Scope::Own, StepKind::Read);
        if (read.status.ok())
            T_memo->setPlainText(read.text);
        // Kept as the box shows it, so that an untouched box compares equal.
        if (read.status.ok() || read.status.error == FileError::FileNotFound)
            memoAsLoaded_ = T_memo->toPlainText();
        else
            memoAsLoaded_.reset();
    }
    chk_alarm->setChecked(wantsAlarm(item));
}

void F_kinyu::noDateSettings()
{
    op_am->setEnabled(false);
    op_pm->setEnabled(false);
    op_jikokunasi->setChecked(true);
    op_jikokunasi->setEnabled(false);
    chk_alarm->setChecked(false);
    chk_alarm->setEnabled(false);
    L_nen->setText(kYearDashes);
    for (QLabel* l : {L_tuki, L_hi, L_ji, L_fun})
        l->setText(kDashes);
}

void F_kinyu::datePartsFromCalendar()
{
    L_nen->setText(QStringLiteral("%1").arg(CSCalendar1->year(), 4, 10, QLatin1Char('0')));
    L_tuki->setText(QStringLiteral("%1").arg(CSCalendar1->month(), 2, 10, QLatin1Char('0')));
    L_hi->setText(QStringLiteral("%1").arg(CSCalendar1->day(), 2, 10, QLatin1Char('0')));
}

void F_kinyu::relabelHours(int first)
{
    for (int n = 0; n < 12; ++n)
        ji[std::size_t(n)]->setText(QString::number(first + n));
    showTime();
}

void F_kinyu::showTime()
{
    // "0" hours and "0" minutes is what the file calls no time.
    bool hourRead = false, minuteRead = false;
    const int hour = L_ji->text().toInt(&hourRead);
    const int minute = L_fun->text().toInt(&minuteRead);
    const bool chosen = hourRead && minuteRead && (hour != 0 || minute != 0);
    const bool pickable = timePickable();
    const int first = op_am->isChecked() ? 0 : 12;
    for (int n = 0; n < 12; ++n) {
        QPushButton* h = ji[std::size_t(n)];
        QPushButton* m = fun[std::size_t(n)];
        h->setEnabled(pickable);
        m->setEnabled(pickable);
        h->setChecked(pickable && chosen && hour == first + n);
        m->setChecked(pickable && chosen && minute == n * 5);
    }
    const bool noTime = hourRead && minuteRead && !chosen;
    for (QWidget* w : {static_cast<QWidget*>(L_ji), static_cast<QWidget*>(Label9), static_cast<QWidget*>(L_fun),
                       static_cast<QWidget*>(Label11)})
        w->setVisible(!noTime);
    L_jikokunasi->setVisible(noTime);
}

bool F_kinyu::timePickable() const { return op_kaki->isChecked() && !op_jikokunasi->isChecked(); }

void F_kinyu::CSCalendar1_Change()
{
    // Already "下記": only the date labels change, the time stays.
    op_kaki->setChecked(true);
    datePartsFromCalendar();
}

void F_kinyu::op_kaki_Click()
{
    for (QWidget* w : {op_am, op_pm, op_jikokunasi})
        w->setEnabled(true);
    chk_alarm->setChecked(true);
    chk_alarm->setEnabled(true);
    datePartsFromCalendar();
    L_ji->setText(kZero);
    L_fun->setText(kZero);
    showTime();
}

void F_kinyu::op_kyou_Click()
{
    for (QWidget* w : {op_am, op_pm, op_jikokunasi})
        w->setEnabled(false);
    chk_alarm->setChecked(false);
    chk_alarm->setEnabled(false);
    L_nen->setText(kYearDashes);
    for (QLabel* l : {L_tuki, L_hi, L_ji, L_fun})
        l->setText(kDashes);
    showTime();
}

void F_kinyu::op_kigennasi_Click() { op_kyou_Click(); }

void F_kinyu::op_am_Click() { relabelHours(0); }
void F_kinyu::op_pm_Click() { relabelHours(12); }

void F_kinyu::op_jikokunasi_Click()
{
    L_ji->setText(kZero);
    L_fun->setText(kZero);
    showTime();
}

void F_kinyu::ji0_Click(int number)
{
    // The hour comes from the button's place and AM/PM, never from its caption.
    if (timePickable())
        L_ji->setText(QString::number(op_am->isChecked() ? number : number + 12));
    Command25->setFocus();
    showTime();
}

void F_kinyu::fun00_Click(int number)
{
    if (timePickable())
        L_fun->setText(QString::number(number * 5));
    Command25->setFocus();
    showTime();
}

EntryState F_kinyu::state() const
{
    EntryState s;
    s.kind = op_sche->isChecked() ? EntryKind::Schedule : EntryKind::Todo;
    s.deadline = op_kaki->isChecked() ? Deadline::OnDate : op_kyou->isChecked() ? Deadline::Today : Deadline::None;
    s.noTime = op_jikokunasi->isChecked();
    s.year = L_nen->text();
    s.month = L_tuki->text();
    s.day = L_hi->text();
    s.hour = L_ji->text();
    s.minute = L_fun->text();
    s.content = T_naiyo->text();
    s.person = cmbo_tanto->currentText();
    s.memo = T_memo->toPlainText();
    s.memoAsLoaded = memoAsLoaded_;
    s.important = chk_jyuyo->isChecked();
    s.secret = chk_secret->isChecked();
    s.alarm = chk_alarm->isChecked();
    return s;
}

void F_kinyu::Command25_Click()
{
    const RegistrationOutcome outcome = registerEntry(ctx_, state(), this);
    changes_ = outcome.changes;
    switch (outcome.result) {
    case RegistrationResult::EmptyContent:
    case RegistrationResult::UnusableCharacters:
    case RegistrationResult::ListFull:
    case RegistrationResult::GivenUp:
        return;
    case RegistrationResult::Refused:
    case RegistrationResult::ItemGone:
        reject();
        return;
    case RegistrationResult::Done:
        accept();
        return;
    }
}

void F_kinyu::Command26_Click() { reject(); }
