// Which editor "メモ編集" starts, told the memo's encoding.
#include "common/test_main.h"

#include "ui/memo_editor.h"

Q_DECLARE_METATYPE(EditorCommand)

class TestMemoEditor : public QObject {
    Q_OBJECT
private slots:
    void command_data()
    {
        QTest::addColumn<QString>("configured");
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QString>("program");   // empty: no command
        QTest::addColumn<QStringList>("arguments");
        const QString memo = QStringLiteral("/data/~0000042.txt");
        QTest::newRow("gedit first") << "" << QStringList{"kate", "pluma", "gedit"} << "/usr/bin/gedit"
                                     << QStringList{"--encoding=CP932", memo};
        QTest::newRow("pluma") << "" << QStringList{"kate", "pluma"} << "/usr/bin/pluma"
                               << QStringList{"--encoding=CP932", memo};
        QTest::newRow("mousepad cannot read the extensions") << "" << QStringList{"mousepad"} << "" << QStringList{};
        QTest::newRow("kate takes the encoding as its own word")
            << "" << QStringList{"kate"} << "/usr/bin/kate" << QStringList{"--encoding", "CP932", memo};
        QTest::newRow("none known") << "" << QStringList{"vi"} << "" << QStringList{};
        QTest::newRow("configured with %f") << "leafpad --codeset=SHIFT_JIS %f" << QStringList{"gedit"} << "leafpad"
                                            << QStringList{"--codeset=SHIFT_JIS", memo};
        QTest::newRow("configured without %f: the file goes last")
            << "\"/opt/my editor/ed\" -x" << QStringList{} << "/opt/my editor/ed" << QStringList{"-x", memo};
        QTest::newRow("blank setting is no setting")
            << "   " << QStringList{"xed"} << "/usr/bin/xed" << QStringList{"--encoding=CP932", memo};
    }
    void command()
    {
        QFETCH(QString, configured);
        QFETCH(QStringList, installed);
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        const auto find = [&](const QString& name) {
            return installed.contains(name) ? QStringLiteral("/usr/bin/") + name : QString();
        };
        const std::optional<EditorCommand> c =
            memoEditorCommand(QStringLiteral("/data/~0000042.txt"), configured, find);
        QCOMPARE(c.has_value(), !program.isEmpty());
        if (c) {
            QCOMPARE(c->program, program);
            QCOMPARE(c->arguments, arguments);
        }
    }
};

PORUKA_TEST_MAIN(TestMemoEditor)
#include "test_memo_editor.moc"
