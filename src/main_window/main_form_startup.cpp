// Start-up and shutdown of the main window: the presenter does the files, the
// window its own placement, grids, combo and calendar.
#include "main_window/main_form.h"

#include "main_window/main_layout.h"
#include "main_window/member_combo.h"
#include "ui/calendar.h"
#include "ui/centre.h"
#include "ui/clock.h"
#include "ui/grid.h"
#include "ui/screen_fit.h"
#include "ui/time_source.h"
#include "ui/twips.h"
#include "ui/ui.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

namespace {

const QStringList kGridHeadings{QStringLiteral("年/月/日"), QStringLiteral("時:分"), QString(), QStringLiteral("名前")};

}   // namespace

WindowPlacement Main_Form::placement() const
{
    const int state = isMinimized() ? 1 : isMaximized() ? 2 : 0;
    return {state, pixelsToTwips(y()), pixelsToTwips(x()), pixelsToTwips(height()), pixelsToTwips(width())};
}

void Main_Form::restorePlacement(const WindowPlacement& p)
{
    if (p.state == 2) {
        setWindowState(Qt::WindowMaximized);
        return;
    }
    if (p.state == 1)
        setWindowState(Qt::WindowMinimized);
    if (p.state != 0 || p.width <= 0 || p.height <= 0)
        return;
    // What the file says is moved and cut onto the screens there are now: a
    // window remembered on a screen that is gone, or larger than this one,
    // comes back wholly on a screen.
    QList<QRect> screens;
    for (const QScreen* s : QGuiApplication::screens())
        screens << s->availableGeometry();
    const QRect wanted(twipsToPixels(p.left), twipsToPixels(p.top), twipsToPixels(p.width), twipsToPixels(p.height));
    const QRect placed = fitOnScreens(wanted, screens, minimumSize());
    resize(placed.size().expandedTo(minimumSize()));
    move(placed.topLeft());
}

void Main_Form::setUpGrid(Grid& grid)
{
    grid.setRows(1);
    grid.setCols(4);
    for (int c = 0; c < 4; ++c) {
        grid.setColumnWidth(c, start_layout::kColumnWidths[c]);
        grid.setColumnAlignment(c, Qt::AlignCenter);
        grid.setRow(0);
        grid.setCol(c);
        grid.setText(kGridHeadings[c]);
    }
    // Dates and times whole whatever the font: the content column gives way.
    grid.widenColumnFor(0, {QStringLiteral("2026/12/31"), QStringLiteral("完了日付"), kGridHeadings[0]});
    grid.widenColumnFor(1, {QStringLiteral("00:00"), kGridHeadings[1]});
    grid.widenColumnFor(3, {kGridHeadings[3]});
}

void Main_Form::refillMemberCombo()
{
    fillMemberCombo(*Combo1, presenter_.settings());
    // The combo keeps naming whoever's lists are on display.
    showMemberInCombo(*Combo1, presenter_.shownMember());
}

bool Main_Form::Form_Load()
{
    centreOver(*this, nullptr);
    setWindowTitle(kAppTitle);
    if (presenter_.start() == Presenter::Start::End)
        return false;

    restorePlacement(presenter_.settings().placement());
    setUpGrid(*Grid1);
    setUpGrid(*Grid2);
    armAlarm(true);
    redisplay(Presenter::wholeView());
    refillMemberCombo();
    CSCalendar1->setDate(time_.today());
    startFollowingFiles();
    return true;
}

void Main_Form::bringToFront()
{
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

bool Main_Form::cmd_syuryo_Click()
{
    if (!presenter_.quit())
        return false;
    closing_ = true;
    close();
    return true;
}

void Main_Form::closeEvent(QCloseEvent* event)
{
    if (closing_ || presenter_.quit())
        event->accept();
    else
        event->ignore();
}
