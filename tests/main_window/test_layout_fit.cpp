// Every form under each style and display scale: no text cut, no control
// smaller than its text, and the main window's minimum within a small screen.
// The scale comes from QT_SCALE_FACTOR (CTest runs this program at 1, 1.5
// and 2); the styles are switched here.
#include "common/test_main.h"
#include "entry/entry_fixture.h"
#include "main_form_fixture.h"

#include "main_window/f_alarm.h"
#include "main_window/f_tenki.h"
#include "maintenance/f_kensaku.h"
#include "maintenance/f_sakujo.h"
#include "maintenance/f_y2k.h"
#include "settings/f_ansyo.h"
#include "settings/f_memdata.h"
#include "settings/f_mydata.h"
#include "settings/f_passw.h"
#include "ui/grid.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyleFactory>
#include <QTableView>
#include <functional>
#include <memory>

namespace {

QString plain(QString text) { return text.remove(QLatin1Char('&')); }

// What of `top` is cut: each entry names the control and says how.
QStringList cutTexts(QWidget& top)
{
    QStringList cut;
    const auto report = [&](const QWidget* w, const QString& what) {
        cut << QStringLiteral("%1/%2: %3").arg(top.objectName(), w->objectName(), what);
    };
    for (QWidget* w : top.findChildren<QWidget*>()) {
        // Qt's own parts (a combo's field, a calendar's buttons) are Qt's to size.
        if (!w->isVisibleTo(&top) || w->objectName().startsWith(QLatin1String("qt_")) ||
            qobject_cast<QComboBox*>(w->parentWidget()))
            continue;
        const QFontMetrics fm = w->fontMetrics();
        if (auto* l = qobject_cast<QLabel*>(w)) {
            if (l->text().isEmpty() || l->wordWrap())
                continue;
            if (l->width() < fm.horizontalAdvance(plain(l->text())) || l->height() < fm.height())
                report(l, QStringLiteral("label %1x%2 for 「%3」").arg(l->width()).arg(l->height()).arg(l->text()));
        } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
            if (b->text().isEmpty())
                continue;
            const bool indicator = qobject_cast<QRadioButton*>(b) || qobject_cast<QCheckBox*>(b);
            const int needed = indicator ? b->sizeHint().width() : fm.horizontalAdvance(plain(b->text())) + 4;
            if (b->width() < needed || b->height() < fm.height())
                report(b, QStringLiteral("button %1x%2 for 「%3」").arg(b->width()).arg(b->height()).arg(b->text()));
        } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
            if (e->height() < fm.height() + 2)
                report(e, QStringLiteral("field %1 high").arg(e->height()));
        } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
            if (g->width() < fm.horizontalAdvance(plain(g->title())) + 8)
                report(g, QStringLiteral("frame %1 wide for 「%2」").arg(g->width()).arg(g->title()));
        } else if (auto* t = qobject_cast<QTableView*>(w)) {
            // Each heading and each cell shown whole in its column.
            const QHeaderView* header = t->horizontalHeader();
            const QAbstractItemModel* m = t->model();
            for (int c = 0; c < m->columnCount(); ++c) {
                if (t->isColumnHidden(c))
                    continue;
                const int room = header->sectionSize(c) - 6;
                int widest = fm.horizontalAdvance(m->headerData(c, Qt::Horizontal).toString());
                for (int r = 0; r < std::min(m->rowCount(), 50); ++r)
                    widest = std::max(widest, fm.horizontalAdvance(m->index(r, c).data().toString()));
                if (widest > room && c != 2)   // the content column may cut a long content
                    report(t, QStringLiteral("column %1 is %2 wide for %3").arg(c).arg(room).arg(widest));
            }
        }
    }
    return cut;
}

struct FormCase {
    const char* name;
    std::function<std::unique_ptr<QWidget>(MainFormFixture&, EntryFixture&)> make;
};

SearchContext searchContext(MainFormFixture& f)
{
    return SearchContext{.dataDirectory = f.dataDir,
                         .programDirectory = f.programDir,
                         .ui = f.ui,
                         .mainWindow = nullptr,
                         .trap = [&f] { return FileErrorHandler(TrapVariant::Shared, f.ui, nullptr, {}); },
                         .memoEditPath = [] { return QString(); },
                         .setMemoEditPath = [](const QString&) {}};
}

const ItemTexts kItem{QStringLiteral("2026/12/24"), QStringLiteral("10:00"), QStringLiteral("打ち合わせ"),
                      QStringLiteral("山田")};

const FormCase kForms[] = {
    {"F_kinyu", [](MainFormFixture&, EntryFixture& e) -> std::unique_ptr<QWidget> { return e.form(1); }},
    {"F_mydata",
     [](MainFormFixture& f, EntryFixture&) -> std::unique_ptr<QWidget> {
         return std::make_unique<F_mydata>(f.settings(), f.programDir, f.ui, nullptr);
     }},
    {"F_memdata",
     [](MainFormFixture& f, EntryFixture&) -> std::unique_ptr<QWidget> {
         return std::make_unique<F_memdata>(f.settings(), f.ui, nullptr);
     }},
    {"F_passw",
     [](MainFormFixture& f, EntryFixture&) -> std::unique_ptr<QWidget> {
         return std::make_unique<F_passw>(
             PasswordActions{.path = f.programDir + "/poruka.pas",
                             .isSet = [] { return false; },
                             .set = [](const QByteArray&) { return FileStatus::success(); },
                             .remove = [] { return FileStatus::success(); }},
             f.ui, nullptr);
     }},
    {"F_ansyo",
     [](MainFormFixture& f, EntryFixture&) -> std::unique_ptr<QWidget> {
         return std::make_unique<F_ansyo>(QByteArray("x"), f.ui);
     }},
    {"F_kensaku",
     [](MainFormFixture& f, EntryFixture&) -> std::unique_ptr<QWidget> {
         return std::make_unique<F_kensaku>(searchContext(f));
     }},
    {"F_sakujo",
     [](MainFormFixture&, EntryFixture&) -> std::unique_ptr<QWidget> {
         return std::make_unique<F_sakujo>(ListKind::Todo, kItem, nullptr);
     }},
    {"F_tenki",
     [](MainFormFixture&, EntryFixture&) -> std::unique_ptr<QWidget> {
         return std::make_unique<F_tenki>(ListKind::Schedule, kItem, nullptr);
     }},
    {"F_Alarm",
     [](MainFormFixture& f, EntryFixture&) -> std::unique_ptr<QWidget> {
         return std::make_unique<F_Alarm>(AlarmNotice{kItem.date, kItem.time, kItem.content, kItem.person, true}, f.ui);
     }},
    {"F_Y2K", [](MainFormFixture&, EntryFixture&) -> std::unique_ptr<QWidget> { return std::make_unique<F_Y2K>(); }},
};

QStringList styles()
{
    QStringList out;
    for (const QString& s : {QStringLiteral("Fusion"), QStringLiteral("Windows")})
        if (QStyleFactory::keys().contains(s, Qt::CaseInsensitive))
            out << s;
    return out;
}

}   // namespace

class TestLayoutFit : public QObject {
    Q_OBJECT
private slots:
    void forms_data()
    {
        QTest::addColumn<QString>("style");
        QTest::addColumn<int>("form");   // -1: the main window
        for (const QString& style : styles()) {
            QTest::addRow("%s Main_Form", qPrintable(style)) << style << -1;
            for (int i = 0; i < int(std::size(kForms)); ++i)
                QTest::addRow("%s %s", qPrintable(style), kForms[i].name) << style << i;
        }
    }
    void forms()
    {
        QFETCH(QString, style);
        QFETCH(int, form);
        QApplication::setStyle(style);
        MainFormFixture f;
        f.writeSettingsFile();
        f.writeList("todo.dat",
                    QList<TodoItem>{todo("2026/12/24", "10:00", QStringLiteral("打ち合わせ"), QStringLiteral("山田"))});
        f.writeList(
            "SCHE.DAT",
            QList<ScheduleItem>{schedule("2026/12/31", "23:55", QStringLiteral("年越し"), QStringLiteral("山田"))});
        EntryFixture entry;
        QVERIFY(f.start());
        std::unique_ptr<QWidget> w;
        if (form < 0)
            w.reset(f.form.release());
        else
            w = kForms[form].make(f, entry);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        QApplication::processEvents();
        const QStringList cut = cutTexts(*w);
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QLatin1Char('\n'))));
        // A 1280 x 720 screen at the display scale in use, less a panel.
        const qreal scale = w->devicePixelRatioF();
        const QSize screen(int(1280 / scale), int(720 / scale) - 32);
        const int minimumWidth = w->minimumWidth() > 0 ? w->minimumWidth() : w->minimumSizeHint().width();
        const int minimumHeight = w->minimumHeight() > 0 ? w->minimumHeight() : w->minimumSizeHint().height();
        QVERIFY2(minimumWidth <= screen.width() && minimumHeight <= screen.height(),
                 qPrintable(QStringLiteral("minimum %1x%2 on a screen of %3x%4")
                                .arg(minimumWidth)
                                .arg(minimumHeight)
                                .arg(screen.width())
                                .arg(screen.height())));
    }
};

PORUKA_TEST_MAIN(TestLayoutFit)
#include "test_layout_fit.moc"
