// The search dialog: its controls after loading, searches as a user runs them,
// the memo of a hit, and files that are missing or held by another program.
#include "common/fake_ui.h"
#include "common/held_lock.h"
#include "common/temp_files.h"
#include "common/test_main.h"

#include "maintenance/f_kensaku.h"
#include "store/list_file.h"
#include "store/memo.h"
#include "ui/grid.h"

#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

namespace {

struct SearchFixture {
    QTemporaryDir root;
    QString programDir;
    QString dataDir;
    FakeUi ui;
    QString memoEditPath = QStringLiteral("/set/by/the/memo/panel");

    SearchFixture()
    {
        QDir(root.path()).mkpath(QStringLiteral("prog"));
        QDir(root.path()).mkpath(QStringLiteral("data"));
        programDir = root.filePath(QStringLiteral("prog"));
        dataDir = root.filePath(QStringLiteral("data")) + QLatin1Char('/');
        ItemList<TodoItem> todos;
        for (int i = 0; i < 150; ++i) {
            TodoItem t;
            t.date = Field(i == 0 ? "9999/99/99" : "2026/12/24");
            t.time = Field(i == 0 ? "99:99" : "10:00");
            t.content = Field(i % 2 ? QStringLiteral("会議%1").arg(i) : QStringLiteral("電話%1").arg(i));
            t.person = Field(QStringLiteral("山田"));
            t.memoNo = Field::number(i == 1 ? 42 : i == 3 ? 43 : 0);
            todos.append(t);
        }
        writeBytes(dataDir + "todo.dat", serializeList(newListHeader(), todos));
        writeBytes(memoPath(dataDir, 42), sjis(QStringLiteral("資料\r\n持参\r\n")));
    }

    SearchContext context()
    {
        return {.dataDirectory = dataDir,
                .programDirectory = programDir,
                .ui = ui,
                .mainWindow = nullptr,
                .trap = [this] { return FileErrorHandler(TrapVariant::Shared, ui, nullptr, {}); },
                .memoEditPath = [this] { return memoEditPath; },
                .setMemoEditPath = [this](const QString& p) { memoEditPath = p; }};
    }
};

QStringList column(const Grid& g, int col)
{
    QStringList out;
    for (int r = 1; r < g.rows(); ++r)
        out << g.cellText(r, col);
    return out;
}

}   // namespace

class TestFKensaku : public QObject {
    Q_OBJECT
private slots:
    void controlsAfterLoading()
    {
        SearchFixture f;
        F_kensaku d(f.context());
        QCOMPARE(d.objectName(), QStringLiteral("F_kensaku"));
        QCOMPARE(d.windowTitle(), QStringLiteral("ぽるか　Ver.2.10"));
        QCOMPARE(d.Label1->text(), QStringLiteral("検索ｷｰﾜｰﾄﾞ"));
        QCOMPARE(d.Frame1->title(), QStringLiteral("検索する対象"));
        QCOMPARE((QStringList{d.Option1->text(), d.Option2->text(), d.Option3->text(), d.Option4->text()}),
                 (QStringList{"やること", "予定", "やること(完了)", "予定(完了)"}));
        QVERIFY(d.Option1->isChecked());
        QCOMPARE((QStringList{d.Command1->text(), d.Command2->text(), d.Command3->text()}),
                 (QStringList{"検索", "メモ編集", "検索終了"}));
        QCOMPARE(d.Grid1->rows(), 1);
        QCOMPARE((QStringList{d.Grid1->cellText(0, 0), d.Grid1->cellText(0, 1), d.Grid1->cellText(0, 2),
                              d.Grid1->cellText(0, 3)}),
                 (QStringList{"年/月/日", "時:分", "やること(0件)", "名前"}));
        QVERIFY(qAbs(d.Grid1->columnWidth(2) - 3910) < 15);   // whole pixels
        QVERIFY(d.Text1->text().isEmpty() && d.Text2->toPlainText().isEmpty());
        QVERIFY(d.Text2->isReadOnly());
    }

    // 75 hits, then a second search with fewer: only its rows remain.
    void searchesReplaceTheRows()
    {
        SearchFixture f;
        F_kensaku d(f.context());
        d.Text1->setText(QStringLiteral("会議"));
        d.Command1->click();
        QCOMPARE(d.Grid1->rows(), 76);
        QCOMPARE(d.Grid1->cellText(0, 2), QStringLiteral("やること(検索結果75件)"));
        QVERIFY(f.ui.messages.isEmpty());
        d.Text1->setText(QStringLiteral("会議1"));
        d.Command1->click();
        QCOMPARE(column(*d.Grid1, 2).first(), QStringLiteral("会議1"));
        QCOMPARE(d.Grid1->rows(), 1 + 1 + 5 + 50 / 2);   // 会議1, 会議11..19 odd, 会議101..149 odd
        QCOMPARE(d.Grid1->cellText(0, 2), QStringLiteral("やること(検索結果%1件)").arg(d.Grid1->rows() - 1));
    }

    // 150 records match an empty keyword: 100 are shown, the count says 100,
    // and the user is told the rest were cut.
    void hundredHitsAreTheMost()
    {
        SearchFixture f;
        F_kensaku d(f.context());
        d.Command1->click();
        QCOMPARE(d.Grid1->rows(), 101);
        QCOMPARE(d.Grid1->cellText(0, 2), QStringLiteral("やること(検索結果100件)"));
        QCOMPARE(f.ui.messageTexts(),
                 QStringList{"検索結果が１００件を越えましたので\n１００件を越えた分は検索を打ち切りました。"});
        QCOMPARE(d.Grid1->cellText(1, 0), QStringLiteral("期限無"));
        QCOMPARE(d.Grid1->cellText(1, 1), QString());
    }

    // A missing list: its message, and the grid keeps the last result.
    void missingFile_data()
    {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("message");
        QTest::newRow("予定") << "Option2"
                              << "sche.datファイルがありません。";
        QTest::newRow("やること(完了)") << "Option3"
                                        << "todo_kan.datファイルがありません。";
        QTest::newRow("予定(完了)") << "Option4"
                                    << "sche_kan.datファイルがありません。";
    }
    void missingFile()
    {
        QFETCH(QString, option);
        SearchFixture f;
        F_kensaku d(f.context());
        d.Text1->setText(QStringLiteral("電話2"));
        d.Command1->click();
        const int rows = d.Grid1->rows();
        d.findChild<QRadioButton*>(option)->click();
        d.Command1->click();
        QTEST(f.ui.messageTexts().value(0), "message");
        QCOMPARE(f.ui.messages[0].icon, MsgIcon::None);
        QCOMPARE(d.Grid1->rows(), rows);
        QCOMPARE(d.Grid1->cellText(0, 2).left(5), QStringLiteral("やること("));
    }

    // Held by another program: the in-use message; given up, the dialog is
    // still usable and the last result stays. Nothing is written.
    void fileHeldByAnotherProgram()
    {
        SearchFixture f;
        F_kensaku d(f.context());
        d.Text1->setText(QStringLiteral("電話4"));
        d.Command1->click();
        const QStringList before = column(*d.Grid1, 2);
        const QByteArray bytes = readBytes(f.dataDir + "todo.dat");
        HeldLock writer(f.dataDir + "todo.dat", QStringLiteral("ofd-write"));
        QVERIFY(writer.isHeld());
        f.ui.answer(MsgAnswer::Cancel);
        d.Text1->setText(QStringLiteral("会議"));
        d.Command1->click();
        QCOMPARE(f.ui.messageTexts(), QStringList{kInUseByUserMessage});
        QCOMPARE(column(*d.Grid1, 2), before);
        QVERIFY(!d.isSearching());
        QVERIFY(writer.release());
        d.Command1->click();
        QCOMPARE(d.Grid1->rows(), 76);
        QCOMPARE(readBytes(f.dataDir + "todo.dat"), bytes);
    }

    // The memo of a clicked hit, without its last line break; メモ編集 opens it.
    // A hit without a memo empties both; a missing memo file is told.
    void memoOfAHit()
    {
        SearchFixture f;
        F_kensaku d(f.context());
        d.Text1->setText(QStringLiteral("会議"));
        d.Command1->click();
        d.Grid1->setRow(1);   // 会議1, memo 42
        d.Grid1_Click();
        QCOMPARE(d.Text2->toPlainText(), QStringLiteral("資料\n持参"));
        QCOMPARE(f.memoEditPath, memoPath(f.dataDir, 42));
        d.Command2->click();
        QCOMPARE(f.ui.memosEdited, QStringList{memoPath(f.dataDir, 42)});

        d.Grid1->setRow(3);   // 会議5, no memo
        d.Grid1_Click();
        QVERIFY(d.Text2->toPlainText().isEmpty());
        QVERIFY(f.memoEditPath.isEmpty());

        d.Grid1->setRow(2);   // 会議3, memo 43 whose file is missing
        d.Grid1_Click();
        QCOMPARE(f.ui.messageTexts(), QStringList{"メモファイル『~0000043.TXT』が見つかりません"});
        QVERIFY(d.Text2->toPlainText().isEmpty());
    }

    // Closing the dialog while a search yields stops it cleanly; a second
    // press of 検索 meanwhile starts nothing.
    void closingStopsTheSearch()
    {
        SearchFixture f;
        ItemList<TodoItem> many;
        for (int i = 0; i < 5000; ++i) {
            TodoItem t;
            t.date = Field("2026/12/24");
            t.content = Field(QStringLiteral("件%1").arg(i));
            many.append(t);
        }
        writeBytes(f.dataDir + "todo.dat", serializeList(newListHeader(), many));
        class ClosingUi final : public Ui {
        public:
            MsgAnswer message(QWidget*, const QString& t, MsgButtons, MsgIcon, const QString&) override
            {
                messages << t;
                return MsgAnswer::Ok;
            }
            void beep() override { }
            bool openWithShell(const QString&) override { return true; }
            bool editMemo(const QString&) override { return true; }
            void notify(QWidget*, const QString&, const QString&) override { }
            int runModal(QDialog& dlg) override { return dlg.exec(); }
            void yieldToEvents() override
            {
                ++yields;
                if (yields == 1) {
                    dialog->Command1->click();   // ignored while searching
                    dialog->Command3->click();
                }
            }
            F_kensaku* dialog = nullptr;
            int yields = 0;
            QStringList messages;
        } ui;
        SearchContext context = f.context();
        F_kensaku d({.dataDirectory = context.dataDirectory,
                     .programDirectory = context.programDirectory,
                     .ui = ui,
                     .mainWindow = nullptr,
                     .trap = [&] { return FileErrorHandler(TrapVariant::Shared, ui, nullptr, {}); },
                     .memoEditPath = context.memoEditPath,
                     .setMemoEditPath = context.setMemoEditPath});
        ui.dialog = &d;
        d.show();
        d.Command1->click();
        QCOMPARE(ui.yields, 1);
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QCOMPARE(d.Grid1->rows(), 1);
        QVERIFY(!d.isSearching());
        QVERIFY(ui.messages.isEmpty());
    }
};

PORUKA_TEST_MAIN(TestFKensaku)
#include "test_f_kensaku.moc"
