#include "main_window/main_form.h"

#include "main_window/main_layout.h"
#include "ui/calendar.h"
#include "ui/clock.h"
#include "ui/grid.h"
#include "ui/twips.h"
#include "ui/ui.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

// Geometry at the minimum window size, in twips; the resize plan moves and
// stretches what grows with the window.
struct Place {
    int left, top, width, height;
};
constexpr Place kGrid1{60, 60, 6735, 2235};
constexpr Place kGrid2{60, 2340, 6735, 2220};
constexpr Place kMemo{60, 4620, 6735, 1500};
constexpr Place kCombo{6840, 60, 2520, 330};
constexpr Place kCalendar{6840, 450, 2520, 2100};
constexpr Place kFrame1{6840, 2580, 2520, 600};
constexpr Place kFrame2{6840, 3210, 2520, 600};
constexpr Place kCommand12{6840, 3870, 1080, 375};
constexpr Place kCommand13{7980, 3870, 1380, 375};
constexpr Place kClock{8280, 4320, 1080, 300};
constexpr Place kCommand14{6840, 5820, 1080, 375};
constexpr Place kQuit{7980, 5820, 1380, 375};

void place(QWidget* w, int left, int top, int width, int height)
{
    w->setGeometry(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}
void place(QWidget* w, const Place& p) { place(w, p.left, p.top, p.width, p.height); }

QPushButton* button(QWidget* parent, const char* name, const QString& caption)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

// Three buttons side by side in a frame.
QGroupBox* buttonFrame(QWidget* parent, const char* name, const QString& caption,
                       std::initializer_list<QPushButton**> buttons,
                       std::initializer_list<std::pair<const char*, QString>> captions)
{
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(QLatin1String(name));
    int left = 90;
    auto c = captions.begin();
    for (QPushButton** b : buttons) {
        *b = button(frame, c->first, c->second);
        place(*b, left, 240, 780, 300);
        left += 780;
        ++c;
    }
    return frame;
}

}  // namespace

Main_Form::Main_Form(QString programDir, Ui& ui, const TimeSource& time, QWidget* parent)
    : QMainWindow(parent), programDir_(std::move(programDir)), ui_(ui), time_(time)
{
    setObjectName(QStringLiteral("Main_Form"));
    setWindowTitle(kAppTitle);
    buildControls();
    buildMenus();
    setMinimumSize(twipsToPixels(kMinWindowWidth), twipsToPixels(kMinWindowHeight));
    resize(twipsToPixels(kMinWindowWidth), twipsToPixels(kMinWindowHeight));
}

Main_Form::~Main_Form()
{
    // The grids draw their rows from the store, which goes before the widgets do.
    Grid1->replaceItems({});
    Grid2->replaceItems({});
}

void Main_Form::buildControls()
{
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralWidget"));
    setCentralWidget(central);

    Combo1 = new QComboBox(central);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Grid1 = new Grid(central);
    Grid1->setObjectName(QStringLiteral("Grid1"));
    Grid2 = new Grid(central);
    Grid2->setObjectName(QStringLiteral("Grid2"));
    T_memo = new QPlainTextEdit(central);
    T_memo->setObjectName(QStringLiteral("T_memo"));
    T_memo->setReadOnly(true);
    CSCalendar1 = new Calendar(central);
    CSCalendar1->setObjectName(QStringLiteral("CSCalendar1"));
    // The right-hand column is narrow: a slightly smaller font lets all seven days show.
    QFont small = CSCalendar1->font();
    small.setPointSizeF(small.pointSizeF() * 0.8);
    CSCalendar1->setFont(small);
    CurTime1 = new Clock(time_, central);
    CurTime1->setObjectName(QStringLiteral("CurTime1"));

    Frame1 = buttonFrame(central, "Frame1", QStringLiteral("並替え"), {&Command6, &Command7, &Command8},
                         {{"Command6", QStringLiteral("日時")},
                          {"Command7", QStringLiteral("名前")},
                          {"Command8", QStringLiteral("重要")}});
    Frame2 = buttonFrame(central, "Frame2", QStringLiteral("編集"), {&Command9, &Command10, &Command11},
                         {{"Command9", QStringLiteral("変更")},
                          {"Command10", QStringLiteral("削除")},
                          {"Command11", QStringLiteral("転記")}});
    Command12 = button(central, "Command12", QStringLiteral("完了"));
    Command13 = button(central, "Command13", QStringLiteral("完了表示"));
    Command14 = button(central, "Command14", QStringLiteral("メモ編集"));
    cmd_syuryo = button(central, "cmd_syuryo", QStringLiteral("ぽるか終了"));

    for (const auto& [w, p] : {std::pair<QWidget*, Place>{Grid1, kGrid1}, {Grid2, kGrid2}, {T_memo, kMemo},
                               {Combo1, kCombo}, {CSCalendar1, kCalendar}, {Frame1, kFrame1},
                               {Frame2, kFrame2}, {Command12, kCommand12}, {Command13, kCommand13},
                               {CurTime1, kClock}, {Command14, kCommand14}, {cmd_syuryo, kQuit}})
        place(w, p);

    connect(Combo1, &QComboBox::activated, this, &Main_Form::Combo1_Click);
    connect(Grid1, &Grid::Click, this, &Main_Form::Grid1_Click);
    connect(Grid2, &Grid::Click, this, &Main_Form::Grid2_Click);
    connect(Grid1, &Grid::RowColChange, this, &Main_Form::Grid1_RowColChange);
    connect(Grid2, &Grid::RowColChange, this, &Main_Form::Grid2_RowColChange);
    connect(cmd_syuryo, &QPushButton::clicked, this, [this] { cmd_syuryo_Click(); });
    connect(Command6, &QPushButton::clicked, this, &Main_Form::Command6_Click);
    connect(Command7, &QPushButton::clicked, this, &Main_Form::Command7_Click);
    connect(Command8, &QPushButton::clicked, this, &Main_Form::Command8_Click);
    connect(CurTime1, &Clock::Alarm, this, &Main_Form::CurTime1_Alarm);
    // An alarm is chosen among the minutes still ahead today; a new day brings
    // its own, also when nothing else re-arms the clock overnight.
    connect(CurTime1, &Clock::NewDay, this, [this] { ArmAlarm(true); });
    connect(CSCalendar1, &Calendar::Click, this, &Main_Form::CSCalendar1_Click);
}

void Main_Form::buildMenus()
{
    const auto menu = [this](const char* name, const QString& caption) {
        QMenu* m = menuBar()->addMenu(caption);
        m->setObjectName(QLatin1String(name));
        return m;
    };
    const auto item = [](QMenu* m, const char* name, const QString& caption) {
        QAction* a = m->addAction(caption);
        a->setObjectName(QLatin1String(name));
        return a;
    };
    Menu_Settei = menu("Menu_Settei", QStringLiteral("設定"));
    Menu_Settei_jibun = item(Menu_Settei, "Menu_Settei_jibun", QStringLiteral("自分"));
    Menu_Settei_member = item(Menu_Settei, "Menu_Settei_member", QStringLiteral("他ﾒﾝﾊﾞｰ"));
    Menu_Settei_pass = item(Menu_Settei, "Menu_Settei_pass", QStringLiteral("ﾊﾟｽﾜｰﾄﾞ"));
    Menu_kensaku1 = menu("Menu_kensaku1", QStringLiteral("検索"));
    Menu_kensaku = item(Menu_kensaku1, "Menu_kensaku", QStringLiteral("検索"));
    Menu_help1 = menu("Menu_help1", QStringLiteral("使い方"));
    Menu_help = item(Menu_help1, "Menu_help", QStringLiteral("使い方"));

    connect(Menu_Settei_jibun, &QAction::triggered, this, &Main_Form::Menu_Settei_jibun_Click);
    connect(Menu_Settei_member, &QAction::triggered, this, &Main_Form::Menu_Settei_member_Click);
}

void Main_Form::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    applyLayout();
}

void Main_Form::applyLayout()
{
    const ResizePlan plan = planResize(pixelsToTwips(width()), pixelsToTwips(height()), isMinimized());
    if (const auto& h = plan.horizontal) {
        for (QWidget* w : {static_cast<QWidget*>(Combo1), static_cast<QWidget*>(Frame1),
                           static_cast<QWidget*>(Frame2), static_cast<QWidget*>(Command12),
                           static_cast<QWidget*>(Command14), static_cast<QWidget*>(CSCalendar1)})
            w->move(twipsToPixels(h->rightColumnLeft), w->y());
        for (QWidget* w : {static_cast<QWidget*>(Command13), static_cast<QWidget*>(cmd_syuryo)})
            w->move(twipsToPixels(h->secondColumnLeft), w->y());
        CurTime1->move(twipsToPixels(h->clockLeft), CurTime1->y());
        for (QWidget* w : {static_cast<QWidget*>(Grid1), static_cast<QWidget*>(Grid2), static_cast<QWidget*>(T_memo)})
            w->resize(twipsToPixels(h->listWidth), w->height());
        Grid1->setColumnWidth(2, h->contentColumnWidth);
        Grid2->setColumnWidth(2, h->contentColumnWidth);
    }
    if (const auto& v = plan.vertical) {
        Grid1->resize(Grid1->width(), twipsToPixels(v->grid1Height));
        Grid2->move(Grid2->x(), twipsToPixels(v->grid2Top));
        T_memo->move(T_memo->x(), twipsToPixels(v->memoTop));
        Command14->move(Command14->x(), twipsToPixels(v->bottomButtonsTop));
        cmd_syuryo->move(cmd_syuryo->x(), twipsToPixels(v->bottomButtonsTop));
    }
    if (plan.pushWidth || plan.pushHeight)
        resize(plan.pushWidth ? twipsToPixels(*plan.pushWidth) : width(),
               plan.pushHeight ? twipsToPixels(*plan.pushHeight) : height());
}

void Main_Form::closeEvent(QCloseEvent* event)
{
    if (closing_ || saveAll())
        event->accept();
    else
        event->ignore();
}
