// The main window driven from the keyboard alone: a new item (Ctrl+N, typing,
// Enter), a row chosen with the arrows, Delete, 完了 (Ctrl+D), undo and redo
// (Ctrl+Z, Ctrl+Shift+Z), with the files checked byte for byte.
#include "common/test_main.h"
#include "entry/f_kinyu.h"
#include "main_form_fixture.h"

#include "store/memo.h"
#include "ui/grid.h"

#include <QAction>
#include <QApplication>
#include <QInputMethodEvent>
#include <QPlainTextEdit>
#include <QStatusBar>

namespace {

// Japanese text reaches a field from the input method, as a committed string.
void typeText(QWidget* field, const QString& text)
{
    QInputMethodEvent typed;
    typed.setCommitString(text);
    QApplication::sendEvent(field, &typed);
}

}   // namespace

class TestKeyboard : public QObject {
    Q_OBJECT
private slots:
    void dayOfWorkWithoutAMouse()
    {
        MainFormFixture f;
        f.writeSettingsFile();
        f.writeList("todo.dat", QList<TodoItem>{});
        f.writeList("SCHE.DAT", QList<ScheduleItem>{});
        QVERIFY(f.start());
        Main_Form& form = *f.form;
        form.show();
        QApplication::setActiveWindow(&form);
        QVERIFY(QTest::qWaitForWindowActive(&form));
        const auto keys = [&](QKeyCombination key) {
            QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &form;
            QTest::keyClick(target, key.key(), key.keyboardModifiers());
        };

        // Ctrl+N: the entry form on today; typed in, Enter registers.
        f.ui.onDialog(QStringLiteral("F_kinyu"), [](QDialog& d) {
            auto& entry = static_cast<F_kinyu&>(d);
            entry.show();
            typeText(entry.T_memo, QStringLiteral("折り返し"));
            entry.T_naiyo->setFocus();
            typeText(entry.T_naiyo, QStringLiteral("電話"));
            QTest::keyClick(entry.T_naiyo, Qt::Key_Return);
            return d.result();
        });
        keys(Qt::CTRL | Qt::Key_N);
        QCOMPARE(f.ui.dialogsShown, QStringList{"F_kinyu"});
        QCOMPARE(f.store().todoCount(), 1);
        QCOMPARE(f.store().todos[1].content.text(), QStringLiteral("電話"));
        QCOMPARE(f.store().todos[1].date.text(), QStringLiteral("2026/12/10"));
        QCOMPARE(form.statusBar()->currentMessage(), QStringLiteral("登録しました"));
        const QByteArray registered = readBytes(f.dataDir + "todo.dat");
        const int memoNo = memoNumber(f.store().todos[1].memoNo);
        QCOMPARE(readBytes(memoPath(f.dataDir, memoNo)), sjis(QStringLiteral("折り返し\r\n")));

        // The arrows choose the row; its memo shows.
        form.Grid1->setFocus();
        keys(Qt::Key_Down);
        QCOMPARE(form.Grid1->row(), 1);
        QCOMPARE(form.presenter().selectedList(), ListChoice::Todo);
        QCOMPARE(form.T_memo->toPlainText(), QStringLiteral("折り返し"));

        // Delete, confirmed: gone with its memo; Ctrl+Z: back, byte for byte.
        f.ui.onDialog(QStringLiteral("F_sakujo"), [](QDialog& d) {
            d.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
            return d.result();
        });
        keys(Qt::Key_Delete);
        QCOMPARE(f.store().todoCount(), 0);
        QVERIFY(!QFile::exists(memoPath(f.dataDir, memoNo)));
        QCOMPARE(form.statusBar()->currentMessage(), QStringLiteral("削除しました（元に戻す: Ctrl+Z）"));
        keys(Qt::CTRL | Qt::Key_Z);
        QCOMPARE(readBytes(f.dataDir + "todo.dat"), registered);
        QCOMPARE(readBytes(memoPath(f.dataDir, memoNo)), sjis(QStringLiteral("折り返し\r\n")));

        // Ctrl+D completes; Ctrl+Z takes it back out of the archive; Ctrl+Shift+Z again.
        form.Grid1->setFocus();
        keys(Qt::Key_Down);
        keys(Qt::CTRL | Qt::Key_D);
        QCOMPARE(f.store().todoCount(), 0);
        const QString archive = f.programDir + "/todo_kan.dat";
        QVERIFY(readBytes(archive).contains(sjis(QStringLiteral("電話"))));
        keys(Qt::CTRL | Qt::Key_Z);
        QCOMPARE(readBytes(f.dataDir + "todo.dat"), registered);
        QCOMPARE(readBytes(archive), QByteArray());
        keys(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
        QCOMPARE(f.store().todoCount(), 0);
        QVERIFY(readBytes(archive).contains(sjis(QStringLiteral("電話"))));
        QCOMPARE(form.statusBar()->currentMessage(), QStringLiteral("「完了」をやり直しました"));
        QCOMPARE(f.ui.dialogsShown, (QStringList{"F_kinyu", "F_sakujo"}));
        QVERIFY(f.ui.messages.isEmpty());
    }

    // Each shortcut belongs to one menu command, and no two share a key.
    void shortcutsAreUnique()
    {
        MainFormFixture f;
        Main_Form form(f.programDir, f.ui, f.time);
        QMap<QKeySequence, QString> owner;
        for (const QAction* a : form.findChildren<QAction*>())
            for (const QKeySequence& k : a->shortcuts()) {
                QVERIFY2(!owner.contains(k), qPrintable(k.toString() + " " + owner.value(k)));
                owner[k] = a->objectName();
            }
        for (const auto& [key, name] : {std::pair{QKeySequence(Qt::CTRL | Qt::Key_N), "Menu_sinki"},
                                        {QKeySequence(Qt::Key_F2), "Menu_henkou"},
                                        {QKeySequence(Qt::Key_Delete), "Menu_sakujo"},
                                        {QKeySequence(Qt::CTRL | Qt::Key_F), "Menu_kensaku"},
                                        {QKeySequence(Qt::Key_F1), "Menu_help"},
                                        {QKeySequence(Qt::CTRL | Qt::Key_Z), "Menu_modosu"},
                                        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), "Menu_yarinaosi"},
                                        {QKeySequence(Qt::CTRL | Qt::Key_Q), "Menu_syuryo"}})
            QCOMPARE(owner.value(key), QLatin1String(name));
    }
};

PORUKA_TEST_MAIN(TestKeyboard)
#include "test_keyboard.moc"
