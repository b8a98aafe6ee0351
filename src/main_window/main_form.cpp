#include "main_window/main_form.h"

#include "main_window/main_layout.h"
#include "ui/calendar.h"
#include "ui/clock.h"
#include "ui/grid.h"
#include "ui/named.h"
#include "ui/twips.h"
#include "ui/ui.h"

#include <QComboBox>
#include <QGroupBox>
#include <QKeySequence>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QStatusBar>

#include <algorithm>

namespace {

using namespace start_layout;

void place(QWidget* w, const Place& p)
{
    w->setGeometry(twipsToPixels(p.left), twipsToPixels(p.top), twipsToPixels(p.width), twipsToPixels(p.height));
}

// Three buttons side by side in a frame.
QGroupBox* buttonFrame(QWidget* parent, const char* name, const QString& caption,
                       std::initializer_list<std::pair<QPushButton**, std::pair<const char*, QString>>> buttons)
{
    auto* frame = named<QGroupBox>(name, parent, caption);
    Place p = kFrameButton;
    for (const auto& [b, nameAndCaption] : buttons) {
        *b = named<QPushButton>(nameAndCaption.first, frame, nameAndCaption.second);
        place(*b, p);
        p.left += p.width;
    }
    return frame;
}

}   // namespace

Main_Form::Main_Form(QString programDir, Ui& ui, const TimeSource& time, QWidget* parent)
    : QMainWindow(parent), ui_(ui), time_(time), forms_(ui, this, programDir),
      presenter_(std::move(programDir), ui, forms_, time)
{
    setObjectName(QStringLiteral("Main_Form"));
    presenter_.attachWindow(this, [this] { return placement(); });
    connect(&presenter_, &Presenter::membersChanged, this, &Main_Form::refillMemberCombo);
    setWindowTitle(kAppTitle);
    buildControls();
    buildMenus();
    // Small enough for any screen; below the smallest layout the sheet scrolls.
    setMinimumSize(twipsToPixels(kMinWindowWidth) / 2, twipsToPixels(kMinWindowHeight) / 2);
    // At first the whole sheet shows, with the menus and the status bar.
    const int sheetHeight =
        twipsToPixels(kMinSheetHeight) + menuBar()->sizeHint().height() + statusBar()->sizeHint().height();
    resize(twipsToPixels(kMinWindowWidth), std::max(twipsToPixels(kMinWindowHeight), sheetHeight));
    // Where notices that need no answer appear (changes taken in from another computer).
    statusBar()->setSizeGripEnabled(false);
}

Main_Form::~Main_Form()
{
    // The grids draw their rows from the store, which goes before the widgets do.
    Grid1->replaceItems({});
    Grid2->replaceItems({});
}

void Main_Form::buildControls()
{
    // The controls keep their places on a sheet that never gets smaller than
    // the smallest layout; a window smaller than that (a small screen, a
    // large display scale) scrolls the sheet instead of cutting it.
    auto* sheet = new QScrollArea(this);
    sheet->setObjectName(QStringLiteral("centralScroll"));
    sheet->setFrameShape(QFrame::NoFrame);
    sheet->setWidgetResizable(true);
    auto* central = new QWidget;
    central->setObjectName(QStringLiteral("centralWidget"));
    central->setMinimumSize(twipsToPixels(kMinWindowWidth), twipsToPixels(kMinSheetHeight));
    sheet->setWidget(central);
    setCentralWidget(sheet);

    Combo1 = named<QComboBox>("Combo1", central);
    Grid1 = named<Grid>("Grid1", central);
    Grid2 = named<Grid>("Grid2", central);
    T_memo = named<QPlainTextEdit>("T_memo", central);
    T_memo->setReadOnly(true);
    CSCalendar1 = named<Calendar>("CSCalendar1", central);
    // The right-hand column is narrow: a slightly smaller font lets all seven days show.
    QFont small = CSCalendar1->font();
    small.setPointSizeF(small.pointSizeF() * 0.8);
    CSCalendar1->setFont(small);
    CurTime1 = named<Clock>("CurTime1", central, time_);
    // Named by their role for screen readers, whatever they show.
    Grid1->describe(QStringLiteral("やることの一覧"), QStringLiteral("やることの一覧。行を選ぶとメモが下に出ます"));
    Grid2->describe(QStringLiteral("予定の一覧"), QStringLiteral("予定の一覧。行を選ぶとメモが下に出ます"));
    T_memo->setAccessibleName(QStringLiteral("メモ"));
    T_memo->setToolTip(QStringLiteral("選んだ項目のメモ"));
    Combo1->setAccessibleName(QStringLiteral("表示するメンバー"));
    Combo1->setAccessibleDescription(QStringLiteral("表示するメンバー"));
    Combo1->setToolTip(QStringLiteral("誰のやることと予定を表示するか"));
    CSCalendar1->setAccessibleName(QStringLiteral("カレンダー"));
    CSCalendar1->setToolTip(QStringLiteral("日付をクリックすると、その日の項目を登録します（Ctrl+N で今日）"));

    Frame1 = buttonFrame(central, "Frame1", QStringLiteral("並替え"),
                         {{&Command6, {"Command6", QStringLiteral("日時")}},
                          {&Command7, {"Command7", QStringLiteral("名前")}},
                          {&Command8, {"Command8", QStringLiteral("重要")}}});
    Frame2 = buttonFrame(central, "Frame2", QStringLiteral("編集"),
                         {{&Command9, {"Command9", QStringLiteral("変更")}},
                          {&Command10, {"Command10", QStringLiteral("削除")}},
                          {&Command11, {"Command11", QStringLiteral("転記")}}});
    Command12 = named<QPushButton>("Command12", central, QStringLiteral("完了"));
    Command13 = named<QPushButton>("Command13", central, QStringLiteral("完了表示"));
    Command14 = named<QPushButton>("Command14", central, QStringLiteral("メモ編集"));
    cmd_syuryo = named<QPushButton>("cmd_syuryo", central, QStringLiteral("ぽるか終了"));

    for (const auto& [w, p] : {std::pair<QWidget*, Place>{Grid1, kGrid1},
                               {Grid2, kGrid2},
                               {T_memo, kMemo},
                               {Combo1, kCombo},
                               {CSCalendar1, kCalendar},
                               {Frame1, kFrame1},
                               {Frame2, kFrame2},
                               {Command12, kCommand12},
                               {Command13, kCommand13},
                               {CurTime1, kClock},
                               {Command14, kCommand14},
                               {cmd_syuryo, kQuit}})
        place(w, p);

    connect(Combo1, &QComboBox::activated, this, &Main_Form::Combo1_Click);
    connect(Grid1, &Grid::Click, this, &Main_Form::Grid1_Click);
    connect(Grid2, &Grid::Click, this, &Main_Form::Grid2_Click);
    connect(Grid1, &Grid::RowColChange, this, &Main_Form::Grid1_RowColChange);
    connect(Grid2, &Grid::RowColChange, this, &Main_Form::Grid2_RowColChange);
    connect(Grid1, &Grid::DblClick, this, &Main_Form::Grid1_DblClick);
    connect(Grid2, &Grid::DblClick, this, &Main_Form::Grid2_DblClick);
    connect(Command9, &QPushButton::clicked, this, &Main_Form::Command9_Click);
    connect(Command10, &QPushButton::clicked, this, &Main_Form::Command10_Click);
    connect(Command11, &QPushButton::clicked, this, &Main_Form::Command11_Click);
    connect(Command12, &QPushButton::clicked, this, &Main_Form::Command12_Click);
    connect(Command14, &QPushButton::clicked, this, &Main_Form::Command14_Click);
    connect(cmd_syuryo, &QPushButton::clicked, this, [this] { cmd_syuryo_Click(); });
    connect(Command6, &QPushButton::clicked, this, &Main_Form::Command6_Click);
    connect(Command7, &QPushButton::clicked, this, &Main_Form::Command7_Click);
    connect(Command8, &QPushButton::clicked, this, &Main_Form::Command8_Click);
    connect(Command13, &QPushButton::clicked, this, &Main_Form::Command13_Click);
    connect(CurTime1, &Clock::Alarm, this, &Main_Form::CurTime1_Alarm);
    // An alarm is chosen among the minutes still ahead today; a new day brings
    // its own, also when nothing else re-arms the clock overnight.
    connect(CurTime1, &Clock::NewDay, this, [this] { armAlarm(true); });
    connect(CSCalendar1, &Calendar::Click, this, &Main_Form::CSCalendar1_Click);
}

void Main_Form::buildMenus()
{
    const auto menu = [this](const char* name, const QString& caption) {
        QMenu* m = menuBar()->addMenu(caption);
        m->setObjectName(QLatin1String(name));
        return m;
    };
    // Shortcuts run the handlers the buttons run; none while a long command works.
    const auto item = [this](QMenu* m, const char* name, const QString& caption, QList<QKeySequence> keys,
                             void (Main_Form::*handler)()) {
        QAction* a = m->addAction(caption);
        a->setObjectName(QLatin1String(name));
        a->setShortcuts(keys);
        connect(a, &QAction::triggered, this, [this, handler] {
            if (!busy_)
                (this->*handler)();
        });
        return a;
    };
    Menu_koumoku = menu("Menu_koumoku", QStringLiteral("項目(&I)"));
    Menu_sinki =
        item(Menu_koumoku, "Menu_sinki", QStringLiteral("新規(&N)"), {QKeySequence::New}, &Main_Form::Menu_sinki_Click);
    Menu_henkou = item(Menu_koumoku, "Menu_henkou", QStringLiteral("変更(&E)"),
                       {Qt::Key_F2, Qt::Key_Return, Qt::Key_Enter}, &Main_Form::Command9_Click);
    Menu_sakujo = item(Menu_koumoku, "Menu_sakujo", QStringLiteral("削除(&D)"), {QKeySequence::Delete},
                       &Main_Form::Command10_Click);
    Menu_kanryo = item(Menu_koumoku, "Menu_kanryo", QStringLiteral("完了(&C)"), {QKeySequence(Qt::CTRL | Qt::Key_D)},
                       &Main_Form::Command12_Click);
    Menu_tenki = item(Menu_koumoku, "Menu_tenki", QStringLiteral("転記(&T)"), {QKeySequence(Qt::CTRL | Qt::Key_T)},
                      &Main_Form::Command11_Click);
    Menu_kanryo_torikesi = item(Menu_koumoku, "Menu_kanryo_torikesi", QStringLiteral("完了を取り消す(&O)"), {},
                                &Main_Form::Menu_kanryo_torikesi_Click);
    Menu_koumoku->addSeparator();
    Menu_modosu = item(Menu_koumoku, "Menu_modosu", QStringLiteral("元に戻す(&U)"), {QKeySequence::Undo},
                       &Main_Form::Menu_modosu_Click);
    Menu_yarinaosi = item(Menu_koumoku, "Menu_yarinaosi", QStringLiteral("やり直し(&R)"),
                          {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)},
                          &Main_Form::Menu_yarinaosi_Click);
    Menu_koumoku->addSeparator();
    Menu_syuryo = item(Menu_koumoku, "Menu_syuryo", QStringLiteral("ぽるか終了(&X)"),
                       {QKeySequence(Qt::CTRL | Qt::Key_Q)}, &Main_Form::Menu_syuryo_Click);

    Menu_Settei = menu("Menu_Settei", QStringLiteral("設定(&S)"));
    Menu_Settei_jibun =
        item(Menu_Settei, "Menu_Settei_jibun", QStringLiteral("自分(&M)"), {}, &Main_Form::Menu_Settei_jibun_Click);
    Menu_Settei_member = item(Menu_Settei, "Menu_Settei_member", QStringLiteral("他ﾒﾝﾊﾞｰ(&O)"), {},
                              &Main_Form::Menu_Settei_member_Click);
    Menu_Settei_pass =
        item(Menu_Settei, "Menu_Settei_pass", QStringLiteral("ﾊﾟｽﾜｰﾄﾞ(&P)"), {}, &Main_Form::Menu_Settei_pass_Click);
    Menu_kensaku1 = menu("Menu_kensaku1", QStringLiteral("検索(&F)"));
    Menu_kensaku = item(Menu_kensaku1, "Menu_kensaku", QStringLiteral("検索(&F)"), {QKeySequence::Find},
                        &Main_Form::Menu_kensaku_Click);
    Menu_help1 = menu("Menu_help1", QStringLiteral("使い方(&H)"));
    Menu_help = item(Menu_help1, "Menu_help", QStringLiteral("使い方(&H)"), {QKeySequence::HelpContents},
                     &Main_Form::Menu_help_Click);
}

void Main_Form::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    applyLayout();
}

void Main_Form::applyLayout()
{
    // Laid out for the window's size, but never for less than the smallest
    // layout: the sheet scrolls then.
    const ResizePlan plan = planResize(std::max(pixelsToTwips(width()), kMinWindowWidth),
                                       std::max(pixelsToTwips(height()), kMinWindowHeight), isMinimized());
    if (const auto& h = plan.horizontal) {
        for (QWidget* w :
             {static_cast<QWidget*>(Combo1), static_cast<QWidget*>(Frame1), static_cast<QWidget*>(Frame2),
              static_cast<QWidget*>(Command12), static_cast<QWidget*>(Command14), static_cast<QWidget*>(CSCalendar1)})
            w->move(twipsToPixels(h->rightColumnLeft), w->y());
        for (QWidget* w : {static_cast<QWidget*>(Command13), static_cast<QWidget*>(cmd_syuryo)})
            w->move(twipsToPixels(h->secondColumnLeft), w->y());
        CurTime1->move(twipsToPixels(h->clockLeft), CurTime1->y());
        for (QWidget* w : {static_cast<QWidget*>(Grid1), static_cast<QWidget*>(Grid2), static_cast<QWidget*>(T_memo)})
            w->resize(twipsToPixels(h->listWidth), w->height());
        // The content column takes what the others, widened for the font, leave.
        for (Grid* grid : {Grid1, Grid2}) {
            int widened = 0;
            for (int c : {0, 1, 3})
                widened += std::max(0, grid->columnWidth(c) - start_layout::kColumnWidths[c]);
            grid->setColumnWidth(2, std::max(h->contentColumnWidth - widened, start_layout::kColumnWidths[2] / 2));
        }
    }
    if (const auto& v = plan.vertical) {
        Grid1->resize(Grid1->width(), twipsToPixels(v->grid1Height));
        Grid2->move(Grid2->x(), twipsToPixels(v->grid2Top));
        T_memo->move(T_memo->x(), twipsToPixels(v->memoTop));
        Command14->move(Command14->x(), twipsToPixels(v->bottomButtonsTop));
        cmd_syuryo->move(cmd_syuryo->x(), twipsToPixels(v->bottomButtonsTop));
    }
}
