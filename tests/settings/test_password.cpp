// The password: its encoded line, the file, the dialog that sets or removes it
// and the prompt at start-up.
#include "common/fake_ui.h"
#include "common/temp_files.h"
#include "common/test_main.h"

#include "core/password.h"
#include "settings/f_ansyo.h"
#include "settings/f_passw.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>

namespace {

// The password file's actions as the presenter gives them (through the core).
PasswordActions actionsOn(const QString& path)
{
    return {.path = path,
            .isSet = [path] { return QFileInfo::exists(path); },
            .set = [path](const QByteArray& line) { return writePasswordFile(path, line); },
            .remove = [path] { return removeFile(path); }};
}

}   // namespace

class TestPassword : public QObject {
    Q_OBJECT
private slots:
    void encoding_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("abc") << "abc" << QByteArray(" 1345\t 1359\t 1373\t");
        QTest::newRow("Japanese: negative codes") << "あ漢" << QByteArray("-449357\t-420251\t");
        QTest::newRow("half-width kana: one byte") << "ｱ" << QByteArray(" 2465\t");
        QTest::newRow("NEC row 13") << "①1" << QByteArray("-432781\t 673\t");
    }
    void encoding()
    {
        QFETCH(QString, password);
        QFETCH(QByteArray, line);
        QCOMPARE(encodePassword(password), std::optional<QByteArray>(line));
        QVERIFY(passwordMatches(password, line));
    }

    void unstorableCharactersAreRefused() { QVERIFY(!encodePassword(QStringLiteral("pass😀"))); }

    void matchIsTheWholeText_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("matches");
        QTest::newRow("same") << "Secret" << true;
        QTest::newRow("longer") << "Secret1" << false;
        QTest::newRow("shorter") << "Secre" << false;
        QTest::newRow("case") << "secret" << false;
        QTest::newRow("full width") << "Ｓｅｃｒｅｔ" << false;
    }
    void matchIsTheWholeText()
    {
        QFETCH(QString, typed);
        QTEST(passwordMatches(typed, *encodePassword(QStringLiteral("Secret"))), "matches");
    }

    // A file as the earlier program left it: one line, CR LF, compared as it stands.
    void fileRoundTrip()
    {
        QTemporaryDir dir;
        const QString path = dir.path() + "/poruka.pas";
        QVERIFY(writePasswordFile(path, *encodePassword(QStringLiteral("abc"))).ok());
        QCOMPARE(readBytes(path), QByteArray(" 1345\t 1359\t 1373\t\r\n"));
        QCOMPARE(readPasswordFile(path).line, QByteArray(" 1345\t 1359\t 1373\t"));
        writeBytes(path, " 1345\t 1359\t 1373\t\r\nsecond line\r\n");
        QCOMPARE(readPasswordFile(path).line, QByteArray(" 1345\t 1359\t 1373\t"));
    }

    void setting_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("message");   // empty: set and closed
        QTest::newRow("set") << "あいう"
                             << "あいう"
                             << "";
        QTest::newRow("first empty") << ""
                                     << "x"
                                     << "１回目のパスワードを入力して下さい";
        QTest::newRow("entries differ") << "abc"
                                        << "abC"
                                        << "１回目の２回目のパスワードが違います";
        QTest::newRow("not storable") << "ab😀"
                                      << "ab😀"
                                      << "使用できない文字が含まれています。\n（パスワード）";
    }
    void setting()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString path = dir.path() + "/poruka.pas";
        FakeUi ui;
        F_passw d(actionsOn(path), ui, nullptr);
        QCOMPARE(d.objectName(), QStringLiteral("F_passw"));
        QCOMPARE(d.Text1->echoMode(), QLineEdit::Password);
        QCOMPARE(d.Text2->echoMode(), QLineEdit::Password);
        QSignalSpy finished(&d, &QDialog::finished);
        d.Text1->setText(first);
        d.Text2->setText(second);
        d.Command2->click();
        if (message.isEmpty()) {
            QVERIFY(ui.messages.isEmpty());
            QCOMPARE(finished.count(), 1);
            QCOMPARE(readPasswordFile(path).line, *encodePassword(first));
        } else {
            QCOMPARE(ui.messageTexts(), QStringList{message});
            QCOMPARE(ui.messages[0].icon, MsgIcon::None);
            QCOMPARE(finished.count(), 0);
            QVERIFY(!QFileInfo::exists(path));
        }
    }

    void removing()
    {
        QTemporaryDir dir;
        const QString path = dir.path() + "/poruka.pas";
        FakeUi ui;
        F_passw d(actionsOn(path), ui, nullptr);
        QSignalSpy finished(&d, &QDialog::finished);
        d.Command1->click();
        writeBytes(path, " 1345\t\r\n");
        d.Command1->click();
        QCOMPARE(ui.messageTexts(), (QStringList{"パスワードは設定されていません", "パスワードを消しました"}));
        QVERIFY(!QFileInfo::exists(path));
        QCOMPARE(finished.count(), 0);   // the dialog stays open
        d.Command3->click();
        QCOMPARE(d.result(), int(QDialog::Rejected));
    }

    void prompt_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("result");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("right") << "秘密abc" << int(QDialog::Accepted) << QStringList{};
        QTest::newRow("longer") << "秘密abcd" << int(QDialog::Rejected) << QStringList{"パスワードが違います"};
        QTest::newRow("shorter") << "秘密ab" << int(QDialog::Rejected) << QStringList{"パスワードが違います"};
    }
    void prompt()
    {
        QFETCH(QString, typed);
        QFETCH(int, result);
        QFETCH(QStringList, messages);
        FakeUi ui;
        F_ansyo d(*encodePassword(QStringLiteral("秘密abc")), ui);
        QCOMPARE(d.objectName(), QStringLiteral("F_ansyo"));
        QCOMPARE(d.Label1->text(), QStringLiteral("パスワードを入力して下さい。"));
        QCOMPARE(d.Text1->echoMode(), QLineEdit::Password);
        // An empty entry asks again.
        QSignalSpy finished(&d, &QDialog::finished);
        d.Command1->click();
        QCOMPARE(finished.count(), 0);
        d.Text1->setText(typed);
        d.Command1->click();
        QCOMPARE(finished.count(), 1);
        QCOMPARE(d.result(), result);
        QCOMPARE(ui.messageTexts(), QStringList{"パスワードを入力して下さい"} + messages);
    }
};

PORUKA_TEST_MAIN(TestPassword)
#include "test_password.moc"
