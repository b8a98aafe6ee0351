#include "common/held_lock.h"
#include "common/test_main.h"
#include "main_form_fixture.h"
#include "store/memo.h"
#include "ui/calendar.h"
#include "ui/grid.h"

#include <QComboBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTableView>

namespace {

const QString kMask = QStringLiteral("★★　ヒ・ミ・ツ　★★");

struct MemberViewFixture : MainFormFixture {
    QString colleagueDir;   // ends with the separator
    QByteArray colleagueTodo, colleagueSche;

    MemberViewFixture()
    {
        QDir(root.path()).mkpath(QStringLiteral("colleague"));
        colleagueDir = root.filePath(QStringLiteral("colleague")) + QLatin1Char('/');
        AppSettings s = newSettings(QStringLiteral("山田"), dataDir, {0, 1500, 1500, 6975, 9450});
        s.members[1] = {Field(QStringLiteral("鈴木")), Field(colleagueDir)};
        s.members[2] = {Field(QStringLiteral("田中")),
                        Field(root.filePath(QStringLiteral("nowhere")) + QLatin1Char('/'))};
        writeBytes(settingsPath(), serializeSettings(s));

        QList<TodoItem> own;
        for (int i = 1; i <= 5; ++i)
            own << todo("2026/12/20", "10:00", QStringLiteral("自分の用事%1").arg(i), QStringLiteral("山田"));
        writeList(QStringLiteral("todo.dat"), own);
        writeList<ScheduleItem>(QStringLiteral("SCHE.DAT"),
                                {schedule("2026/12/11", "09:00", QStringLiteral("朝会"), QStringLiteral("山田"))});

        writeList<TodoItem>(
            QStringLiteral("TODO.DAT"),
            {todo("2026/12/12", "13:00", QStringLiteral("見積"), QStringLiteral("鈴木")),
             todo("2026/12/13", "15:30", QStringLiteral("人事の件"), QStringLiteral("鈴木"), 7, 1, true),
             todo("9999/99/99", "99:99", QStringLiteral("いつか"), QStringLiteral("鈴木"))},
            colleagueDir);
        QList<ScheduleItem> sche;
        for (int i = 1; i <= 8; ++i)
            sche << schedule("2026/12/14", "11:00", QStringLiteral("予定%1").arg(i), QStringLiteral("鈴木"));
        writeList(QStringLiteral("SCHE.DAT"), sche, colleagueDir);
        writeBytes(memoPath(colleagueDir, 7), memoBytesFromText(QStringLiteral("ひみつのメモ")));
        colleagueTodo = readBytes(colleagueDir + "TODO.DAT");
        colleagueSche = readBytes(colleagueDir + "SCHE.DAT");
    }

    // The combo's line of colleague `slot` chosen (0: the user).
    void choose(int slot)
    {
        const int index = form->Combo1->findData(slot);
        QVERIFY(index >= 0);
        form->Combo1->setCurrentIndex(index);
        form->Combo1_Click(index);
    }

    bool colleagueFilesUntouched() const
    {
        return readBytes(colleagueDir + "TODO.DAT") == colleagueTodo &&
            readBytes(colleagueDir + "SCHE.DAT") == colleagueSche && QDir(colleagueDir).count() == 2 + 3;
    }
};

}   // namespace

class TestMemberView : public QObject {
    Q_OBJECT
private slots:
    void colleagueListsAreShownMaskedAndReadOnly()
    {
        MemberViewFixture f;
        QVERIFY(f.start());
        Main_Form& m = *f.form;
        f.choose(1);

        QVERIFY(f.ui.messages.isEmpty());
        QVERIFY((m.presenter().view() == View::Member));
        QCOMPARE(m.Grid1->rows(), 4);
        QCOMPARE(m.Grid2->rows(), 9);
        QCOMPARE(m.Grid1->cellText(0, 2), QStringLiteral("やること(3件)"));
        QCOMPARE(m.Grid2->cellText(0, 2), QStringLiteral("予定(8件)"));
        QCOMPARE(m.Grid1->cellText(1, 2), QStringLiteral("見積"));
        // The secret item keeps its place, date, time and person; content and memo are hidden.
        QCOMPARE(m.Grid1->cellText(2, 0), QStringLiteral("2026/12/13"));
        QCOMPARE(m.Grid1->cellText(2, 1), QStringLiteral("15:30"));
        QCOMPARE(m.Grid1->cellText(2, 2), kMask);
        QCOMPARE(m.Grid1->cellText(2, 3), QStringLiteral("鈴木"));
        QCOMPARE(memoNumber(m.presenter().store().memberTodos[2].memoNo), 0);
        QCOMPARE(m.Grid1->cellText(3, 0), QStringLiteral("期限無"));

        for (QWidget* w :
             {static_cast<QWidget*>(m.Command9), static_cast<QWidget*>(m.Command10), static_cast<QWidget*>(m.Command12),
              static_cast<QWidget*>(m.Command14), static_cast<QWidget*>(m.CSCalendar1)})
            QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
        QVERIFY(m.Command11->isEnabled());
        QVERIFY(!m.isLoading());

        f.choose(0);
        QVERIFY((m.presenter().view() == View::Own));
        QCOMPARE(m.Grid1->rows(), 6);
        QCOMPARE(m.Grid1->cellText(1, 2), QStringLiteral("自分の用事1"));
        QCOMPARE(m.Grid2->rows(), 2);
        QCOMPARE(m.Grid1->cellText(0, 2), QStringLiteral("やること(5件)"));
        QCOMPARE(m.Grid2->cellText(0, 2), QStringLiteral("予定(1件)"));
        QVERIFY(m.Command9->isEnabled() && m.CSCalendar1->isEnabled());
        QVERIFY(!m.Command11->isEnabled());

        // Quitting writes the own files only, with the own header.
        QVERIFY(m.cmd_syuryo_Click());
        QVERIFY(f.colleagueFilesUntouched());
        QVERIFY(readBytes(f.dataDir + "todo.dat").startsWith(newListHeader() + "\r\n"));
    }

    void fileInUseIsReportedAndRetried_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<bool>("collides");
        QTest::newRow("colleague's program writing") << QStringLiteral("ofd-write") << true;
        QTest::newRow("older program's record lock") << QStringLiteral("posix-write") << true;
        QTest::newRow("another viewer reading") << QStringLiteral("ofd-read") << false;
    }
    void fileInUseIsReportedAndRetried()
    {
        QFETCH(QString, mode);
        QFETCH(bool, collides);
        MemberViewFixture f;
        QVERIFY(f.start());
        HeldLock lock(f.colleagueDir + "TODO.DAT", mode);
        QVERIFY(lock.isHeld());
        f.ui.onMessage = [&](const RecordedMessage&) { lock.release(); };
        f.choose(1);
        if (collides)
            QCOMPARE(
                f.ui.messageTexts(),
                QStringList{QStringLiteral("ただいま別のユーザがファイルを使用中です。\nもう一度実行して下さい。")});
        else
            QVERIFY(f.ui.messages.isEmpty());
        QCOMPARE(f.form->Grid1->rows(), 4);
        QCOMPARE(f.form->Grid2->rows(), 9);
        QVERIFY(f.colleagueFilesUntouched());
    }

    void missingFolderIsRepairedInTheMemberDialog()
    {
        MemberViewFixture f;
        QVERIFY(f.start());
        f.ui.onDialog(QStringLiteral("F_memdata"), [&](QDialog& d) {
            d.findChild<QListWidget*>(QStringLiteral("List1"))->setCurrentRow(1);   // slot 2
            d.findChild<QLineEdit*>(QStringLiteral("Text3"))->setText(QStringLiteral("田中"));
            d.findChild<QLineEdit*>(QStringLiteral("Text4"))->setText(f.colleagueDir);
            d.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
            return d.result();
        });
        f.choose(2);
        QCOMPARE(f.ui.messageTexts(),
                 (QStringList{QStringLiteral("ＴｏＤｏデータのファイルがありません"),
                              QStringLiteral("指定されたパスが不正です。")}));
        QCOMPARE(f.ui.messages[0].icon, MsgIcon::Exclamation);
        QCOMPARE(f.ui.messages[1].icon, MsgIcon::None);
        QCOMPARE(f.ui.dialogsShown, QStringList{QStringLiteral("F_memdata")});
        QCOMPARE(f.form->Grid1->rows(), 4);
        QCOMPARE(f.form->Grid2->rows(), 9);
        QCOMPARE(f.settings().memberDirectory(2), f.colleagueDir);
    }

    // The combo offers the user and the colleagues there are, each line with
    // its slot; a free slot is not among them.
    void comboListsOnlyMembersThereAre()
    {
        MemberViewFixture f;
        QVERIFY(f.start());
        QComboBox& combo = *f.form->Combo1;
        QCOMPARE(combo.count(), 3);
        QCOMPARE(combo.itemText(1), QStringLiteral("鈴木"));
        QCOMPARE(combo.itemData(2).toInt(), 2);
        QCOMPARE(combo.findData(5), -1);
        QCOMPARE(combo.findText(kFreeMemberName), -1);
    }

    // The combo keeps naming whoever's lists are shown, also after the member
    // dialog refilled it.
    void comboFollowsTheListsOnDisplay()
    {
        MemberViewFixture f;
        QVERIFY(f.start());
        f.choose(1);
        QCOMPARE(f.form->Combo1->currentIndex(), 1);
        f.form->Menu_Settei_member->trigger();   // cancelled
        QCOMPARE(f.form->Combo1->currentIndex(), 1);
        QVERIFY((f.form->presenter().view() == View::Member));
        // The colleague on display taken off the list: back to the own lists.
        f.ui.onDialog(QStringLiteral("F_memdata"), [](QDialog& d) {
            auto* list = d.findChild<QListWidget*>(QStringLiteral("List1"));
            list->setCurrentRow(0);   // 鈴木, slot 1
            d.findChild<QPushButton*>(QStringLiteral("Command4"))->click();
            return d.result();
        });
        f.ui.answer(MsgAnswer::Yes);
        f.form->Menu_Settei_member->trigger();
        QVERIFY((f.form->presenter().view() == View::Own));
        QCOMPARE(f.form->Combo1->count(), 2);
        QCOMPARE(f.form->Combo1->currentIndex(), 0);
        QVERIFY(isFreeSlot(f.settings(), 1));
    }

    void switchingBetweenColleaguesReplacesTheRows()
    {
        MemberViewFixture f;
        QVERIFY(f.start());
        f.choose(1);
        QCOMPARE(f.form->Grid1->rows(), 4);
        // Choosing the same colleague again reads the files again.
        f.writeList(QStringLiteral("TODO.DAT"),
                    QList<TodoItem>{todo("2026/12/11", "10:00", QStringLiteral("新しい件"), QStringLiteral("鈴木"))},
                    f.colleagueDir);
        f.choose(1);
        QCOMPARE(f.form->Grid1->rows(), 2);
        QCOMPARE(f.form->Grid1->cellText(1, 2), QStringLiteral("新しい件"));
        f.choose(0);
        QCOMPARE(f.form->Grid1->rows(), 6);
    }
};

PORUKA_TEST_MAIN(TestMemberView)
#include "test_member_view.moc"
