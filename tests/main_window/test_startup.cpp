#include "common/test_main.h"
#include "main_form_fixture.h"
#include "main_window/main_layout.h"
#include "ui/calendar.h"
#include "ui/clock.h"
#include "ui/grid.h"
#include "ui/twips.h"

#include <QAccessible>
#include <QComboBox>
#include <QGroupBox>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableView>
#include <QToolButton>

namespace {

// A list file with every kind of text an office may have put there: kanji, kana,
// half-width katakana, NEC and IBM extension codes written by other programs,
// bytes that are no code page 932 at all, and odd spacing in number lines.
QByteArray bigList(int records, int width, quint32 seed)
{
    static const QList<QByteArray> contents{
        sjis(QStringLiteral("会議資料を作成する")),
        sjis(QStringLiteral("ｶﾀｶﾅの打合せ①")),
        QByteArray("\xED\x40\xEE\xEF\xFA\x40\x87\x54", 8),   // twin codes as another program wrote them
        QByteArray("bad \x85\x40 and \xFF end"),
        sjis(QStringLiteral("●重要な件　表示ソ能")),
        QByteArray()};
    QRandomGenerator rng(seed);
    QByteArrayList lines{sjis(QStringLiteral("@ぽるか VER.2.10 古い版の注記"))};
    for (int i = 0; i < records; ++i) {
        const int day = int(rng.bounded(28)) + 1;
        lines << QByteArray("2026/11/") + QByteArray::number(day).rightJustified(2, '0');
        lines << (i % 7 == 0 ? QByteArray("0000/00/00")
                             : QByteArray("2026/12/") + QByteArray::number(day).rightJustified(2, '0'));
        lines << (i % 5 == 0 ? QByteArray("99:99")
                             : QByteArray::number(10 + i % 12) + ":" + QByteArray::number(10 + i % 50));
        lines << contents[i % contents.size()] + QByteArray::number(i);
        lines << sjis(i % 2 ? QStringLiteral("山田") : QStringLiteral("ｽｽﾞｷ"));
        lines << (i % 3 ? QByteArray(" 0 ") : QByteArray("  ") + QByteArray::number(i) + "  ");
        if (width == 11)
            lines << QByteArray(" 9999 ");
        lines << (i % 4 ? QByteArray(" 0 ") : QByteArray("1"));
        lines << (i % 9 ? QByteArray() : QByteArray("SECRET"));
        lines << (i % 6 ? QByteArray() : QByteArray("JYUYO"));
        lines << (i % 11 ? QByteArray() : QByteArray("spare text"));
    }
    return crlfLines(lines);
}

}   // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void firstStartWritesSettingsAndEmptyLists()
    {
        MainFormFixture f;
        f.acceptOwnSettings(QStringLiteral("佐藤"), f.dataDir.chopped(1));   // typed without the separator
        QVERIFY(f.start());
        QCOMPARE(f.ui.dialogsShown.value(0), QStringLiteral("F_mydata"));

        const QByteArrayList settings = fileLines(f.settingsPath());
        QCOMPARE(settings.size(), 315);
        QCOMPARE(readBytes(f.settingsPath()).count("\r\n"), 315);
        QCOMPARE(settings[115], sjis(QStringLiteral("佐藤")));
        QCOMPARE(settings[116], QFile::encodeName(f.dataDir));
        QCOMPARE(settings[1], QByteArray(" 0 "));

        for (const QString& name : {QStringLiteral("todo.dat"), QStringLiteral("SCHE.DAT")}) {
            const QByteArray bytes = readBytes(f.dataDir + name);
            QCOMPARE(bytes, newListHeader() + "\r\n");
            QVERIFY(bytes.startsWith(sjis(QStringLiteral("@ぽるか VER.2.10"))));
        }
        Main_Form& m = *f.form;
        QCOMPARE(m.Grid1->cellText(0, 2), QStringLiteral("やること(0件)"));
        QCOMPARE(m.Grid2->cellText(0, 2), QStringLiteral("予定(0件)"));
        QCOMPARE(m.Grid1->rows(), 1);
        QCOMPARE(m.Combo1->count(), 1);   // the user alone: no free slots listed
        QCOMPARE(m.Combo1->itemText(0), QStringLiteral("佐藤"));
        QCOMPARE(m.Combo1->currentText(), QStringLiteral("佐藤"));
        QVERIFY(!m.Command11->isEnabled());
        QVERIFY(m.Command9->isEnabled());
        QCOMPARE(m.CurTime1->alarmTime(), QStringLiteral("23:59"));
    }

    // A data folder that is not there yet: the dialog offers to make it, and
    // the lists are created in it.
    void firstStartMakesTheFolder()
    {
        MainFormFixture f;
        const QString folder = f.root.filePath(QStringLiteral("share/ぽるか"));
        f.acceptOwnSettings(QStringLiteral("佐藤"), folder);
        QVERIFY(f.start());
        QCOMPARE(f.ui.messages.size(), 1);
        QCOMPARE(f.ui.messages[0].buttons, MsgButtons::YesNo);
        QVERIFY(f.ui.messages[0].text.contains(QStringLiteral("作りますか")));
        for (const QString& name : {QStringLiteral("todo.dat"), QStringLiteral("SCHE.DAT")})
            QCOMPARE(readBytes(folder + QLatin1Char('/') + name), newListHeader() + "\r\n");
        QCOMPARE(f.settings().ownDirectory(), folder + QLatin1Char('/'));
    }

    void firstStartCancelledWritesNothing()
    {
        MainFormFixture f;   // no script: the dialog is cancelled
        QVERIFY(!f.start());
        QCOMPARE(f.ui.dialogsShown, QStringList{QStringLiteral("F_mydata")});
        QVERIFY(QDir(f.programDir).isEmpty());
        QVERIFY(QDir(f.dataDir).isEmpty());
    }

    void controlsAreNamedAndCaptioned_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        const QList<std::pair<const char*, const char*>> rows{{"Frame1", "並替え"},
                                                              {"Command6", "日時"},
                                                              {"Command7", "名前"},
                                                              {"Command8", "重要"},
                                                              {"Frame2", "編集"},
                                                              {"Command9", "変更"},
                                                              {"Command10", "削除"},
                                                              {"Command11", "転記"},
                                                              {"Command12", "完了"},
                                                              {"Command13", "完了表示"},
                                                              {"Command14", "メモ編集"},
                                                              {"cmd_syuryo", "ぽるか終了"},
                                                              {"Menu_Settei", "設定(&S)"},
                                                              {"Menu_Settei_jibun", "自分(&M)"},
                                                              {"Menu_Settei_member", "他ﾒﾝﾊﾞｰ(&O)"},
                                                              {"Menu_Settei_pass", "ﾊﾟｽﾜｰﾄﾞ(&P)"},
                                                              {"Menu_kensaku1", "検索(&F)"},
                                                              {"Menu_kensaku", "検索(&F)"},
                                                              {"Menu_help1", "使い方(&H)"},
                                                              {"Menu_help", "使い方(&H)"},
                                                              {"Menu_koumoku", "項目(&I)"},
                                                              {"Menu_sinki", "新規(&N)"},
                                                              {"Menu_henkou", "変更(&E)"},
                                                              {"Menu_sakujo", "削除(&D)"},
                                                              {"Menu_kanryo", "完了(&C)"},
                                                              {"Menu_tenki", "転記(&T)"},
                                                              {"Menu_kanryo_torikesi", "完了を取り消す(&O)"},
                                                              {"Menu_modosu", "元に戻す(&U)"},
                                                              {"Menu_yarinaosi", "やり直し(&R)"},
                                                              {"Menu_syuryo", "ぽるか終了(&X)"},
                                                              {"Combo1", ""},
                                                              {"Grid1", ""},
                                                              {"Grid2", ""},
                                                              {"T_memo", ""},
                                                              {"CSCalendar1", ""},
                                                              {"CurTime1", ""}};
        for (const auto& [name, caption] : rows)
            QTest::newRow(name) << QString::fromUtf8(name) << QString::fromUtf8(caption);
    }
    void controlsAreNamedAndCaptioned()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        MainFormFixture f;
        f.writeSettingsFile();
        QVERIFY(f.start());
        QObject* o = f.form->findChild<QObject*>(name);
        QVERIFY2(o, qPrintable(name));
        if (auto* b = qobject_cast<QAbstractButton*>(o))
            QCOMPARE(b->text(), caption);
        else if (auto* g = qobject_cast<QGroupBox*>(o))
            QCOMPARE(g->title(), caption);
        else if (auto* a = qobject_cast<QAction*>(o))
            QCOMPARE(a->text(), caption);
        else if (auto* m = qobject_cast<QMenu*>(o))
            QCOMPARE(m->title(), caption);
        QCOMPARE(f.form->windowTitle(), QStringLiteral("ぽるか　Ver.2.10"));
    }

    // Start and quit with full lists: the list files come back byte for byte and
    // the settings file changes only in the banner, line 5 and the window lines.
    // What a screen reader is told: the lists, the memo panel, the member
    // combo and the calendar's arrows by their role, not by what they show.
    void accessibleNames()
    {
        MainFormFixture f;
        f.writeSettingsFile();
        QVERIFY(f.start());
        const auto name = [](QObject* o) {
            QAccessibleInterface* i = QAccessible::queryAccessibleInterface(o);
            return i ? i->text(QAccessible::Name) : QStringLiteral("(none)");
        };
        QCOMPARE(name(f.form->Grid1->findChild<QTableView*>()), QStringLiteral("やることの一覧"));
        QCOMPARE(name(f.form->Grid2->findChild<QTableView*>()), QStringLiteral("予定の一覧"));
        QCOMPARE(name(f.form->T_memo), QStringLiteral("メモ"));
        // A combo's name on Linux is its current text (the screen reader takes the
        // role from the description).
        QCOMPARE(f.form->Combo1->accessibleName(), QStringLiteral("表示するメンバー"));
        QCOMPARE(QAccessible::queryAccessibleInterface(f.form->Combo1)->text(QAccessible::Description),
                 QStringLiteral("表示するメンバー"));
        QCOMPARE(name(f.form->CSCalendar1->findChild<QToolButton*>("qt_calendar_prevmonth")), QStringLiteral("前の月"));
        QCOMPARE(name(f.form->CSCalendar1->findChild<QToolButton*>("qt_calendar_nextmonth")), QStringLiteral("次の月"));
    }

    void startAndQuitKeepsEveryByte()
    {
        MainFormFixture f;
        AppSettings s = newSettings(QStringLiteral("山田"), f.dataDir, {0, 1200, 1500, 7000, 9600});
        s.banner = Field(QStringLiteral("@ぽるか VER.2.05 古い注記"));
        s.reserved3 = Field(QStringLiteral("予約三"));
        QByteArray settingsBytes = serializeSettings(s);
        QByteArrayList settingsLines = fileLines(settingsBytes);
        settingsLines[4] = "left over";
        writeBytes(f.settingsPath(), crlfLines(settingsLines));

        const QByteArray todoBytes = bigList(30000, 11, 1);
        const QByteArray scheBytes = bigList(30000, 10, 2);
        writeBytes(f.dataDir + "TODO.DAT", todoBytes);
        writeBytes(f.dataDir + "sche.dat", scheBytes);

        QVERIFY(f.start());
        QCOMPARE(f.store().todoCount(), 30000);
        QCOMPARE(f.store().scheduleCount(), 30000);
        QCOMPARE(f.form->Grid1->rows(), 30001);
        QCOMPARE(f.form->Grid1->cellText(0, 2), QStringLiteral("やること(30000件)"));
        QVERIFY(f.ui.messages.isEmpty());
        QVERIFY(f.form->cmd_syuryo_Click());

        QCOMPARE(readBytes(f.dataDir + "TODO.DAT"), todoBytes);
        QCOMPARE(readBytes(f.dataDir + "sche.dat"), scheBytes);
        const QStringList files = QDir(f.dataDir).entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(QSet<QString>(files.begin(), files.end()),
                 (QSet<QString>{QStringLiteral("TODO.DAT"), QStringLiteral("sche.dat")}));

        const QByteArrayList after = fileLines(f.settingsPath());
        QCOMPARE(after.size(), 315);
        for (int line = 1; line <= 315; ++line) {
            const bool mayChange = line == 1 || (line >= 5 && line <= 10);
            if (!mayChange)
                QCOMPARE(after[line - 1], settingsLines[line - 1]);
        }
        QVERIFY(after[0].startsWith(sjis(QStringLiteral("@ぽるか VER.2.10"))));
        QCOMPARE(after[4], QByteArray());
    }

    void moreThan30000RecordsAreKept()
    {
        MainFormFixture f;
        f.writeSettingsFile();
        const QByteArray todoBytes = bigList(30003, 11, 3);
        writeBytes(f.dataDir + "todo.dat", todoBytes);
        QVERIFY(f.start());
        QCOMPARE(f.store().todoCount(), 30000);
        QCOMPARE(f.ui.messages.size(), 1);   // told once
        QVERIFY(f.ui.messages[0].text.contains(QStringLiteral("30000")));
        QVERIFY(f.form->cmd_syuryo_Click());
        QCOMPARE(readBytes(f.dataDir + "todo.dat"), todoBytes);
    }

    // A colleague added through 追加 lands in the first free slot; the rest of
    // the settings file stays as it was, byte for byte.
    void membersSurviveARestart()
    {
        MainFormFixture f;
        f.writeSettingsFile();
        QVERIFY(f.start());
        QVERIFY(f.form->cmd_syuryo_Click());
        const QByteArrayList before = fileLines(f.settingsPath());
        QVERIFY(f.start());
        const QString colleagueDir = f.root.filePath(QStringLiteral("colleague"));
        f.ui.onDialog(QStringLiteral("F_memdata"), [&](QDialog& d) {
            d.findChild<QPushButton*>(QStringLiteral("Command3"))->click();
            d.findChild<QLineEdit*>(QStringLiteral("Text3"))->setText(QStringLiteral("鈴木"));
            d.findChild<QLineEdit*>(QStringLiteral("Text4"))->setText(colleagueDir);
            d.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
            return d.result();
        });
        f.form->Menu_Settei_member->trigger();
        QCOMPARE(f.form->Combo1->count(), 2);
        QCOMPARE(f.form->Combo1->itemText(1), QStringLiteral("鈴木"));
        QVERIFY(f.form->cmd_syuryo_Click());

        // Member k: name on line 116 + 2k, directory on the next.
        QByteArrayList expected = before;
        expected[117] = sjis(QStringLiteral("鈴木"));
        expected[118] = QFile::encodeName(colleagueDir + QLatin1Char('/'));
        QCOMPARE(fileLines(f.settingsPath()), expected);

        f.form.reset();
        QVERIFY(f.start());
        QCOMPARE(f.form->Combo1->itemText(1), QStringLiteral("鈴木"));
        QCOMPARE(f.settings().memberDirectory(1), colleagueDir + QLatin1Char('/'));
    }

    // Smaller than its smallest layout, the window scrolls the controls'
    // sheet; larger, it lays them out for its size.
    void smallWindowScrollsLargeWindowLaysOut()
    {
        MainFormFixture f;
        f.writeSettingsFile();
        QVERIFY(f.start());
        Main_Form& m = *f.form;
        m.show();
        m.resize(100, 100);
        QCOMPARE(m.size(), m.minimumSize());
        QVERIFY(m.minimumWidth() < twipsToPixels(9450) && m.minimumHeight() < twipsToPixels(6975));
        auto* sheet = m.findChild<QScrollArea*>(QStringLiteral("centralScroll"));
        QVERIFY(sheet);
        QVERIFY(m.centralWidget() == sheet);
        QVERIFY(sheet->widget()->width() >= twipsToPixels(9450));
        QVERIFY(sheet->horizontalScrollBar()->maximum() > 0 && sheet->verticalScrollBar()->maximum() > 0);
        QCOMPARE(m.Combo1->x(), twipsToPixels(6840));   // the smallest layout, scrolled

        m.resize(twipsToPixels(9450 + 1500), twipsToPixels(6975 + 1500));
        QCOMPARE(m.Combo1->x(), twipsToPixels(6840 + 1500));
        QCOMPARE(m.Command13->x(), twipsToPixels(7980 + 1500));
        QCOMPARE(m.CurTime1->x(), twipsToPixels(8280 + 1500));
        QCOMPARE(m.Grid1->width(), twipsToPixels(6735 + 1500));
        QCOMPARE(m.Grid1->height(), twipsToPixels(2235 + 1500));
        QCOMPARE(m.Grid2->y(), twipsToPixels(2340 + 1500));
        QCOMPARE(m.cmd_syuryo->y(), twipsToPixels(4620 + 1500));
        // The content column grows with the window, less what the others
        // needed beyond their widths to show a date and a time whole.
        int widened = 0;
        for (int c : {0, 1, 3})
            widened += m.Grid1->columnWidth(c) - start_layout::kColumnWidths[c];
        QVERIFY(qAbs(m.Grid1->columnWidth(2) - (3700 + 1500 - widened)) <= kTwipsPerPixel);
    }

    void maximisedStateIsRestored()
    {
        MainFormFixture f;
        AppSettings s = newSettings(QStringLiteral("山田"), f.dataDir, {2, 1, 2, 3, 4});
        writeBytes(f.settingsPath(), serializeSettings(s));
        QVERIFY(f.start());
        QVERIFY(f.form->windowState() & Qt::WindowMaximized);
    }

    void startUpArmsTheEarliestAlarm()
    {
        MainFormFixture f;   // the clock stands at 14:50
        f.writeSettingsFile();
        f.writeList<TodoItem>(QStringLiteral("todo.dat"),
                              {todo("2026/12/10", "16:00", QStringLiteral("later"), QStringLiteral("山田"), 0, 1),
                               todo("2026/12/10", "15:00", QStringLiteral("soon"), QStringLiteral("山田"), 0, 1),
                               todo("2026/12/10", "14:00", QStringLiteral("past"), QStringLiteral("山田"), 0, 1),
                               todo("2026/12/10", "99:99", QStringLiteral("no time"), QStringLiteral("山田"), 0, 1)});
        QVERIFY(f.start());
        QCOMPARE(f.form->CurTime1->alarmTime(), QStringLiteral("14:55"));
        QVERIFY(f.form->presenter().alarmNotice());
        QCOMPARE(f.form->presenter().alarmNotice()->content, QStringLiteral("soon"));
    }
};

PORUKA_TEST_MAIN(TestStartup)
#include "test_startup.moc"
