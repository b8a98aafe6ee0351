#include "common/fake_ui.h"
#include "common/test_main.h"
#include "settings/file_error_handler.h"

#include <QList>

namespace {

const QString kInvalid = QStringLiteral("指定されたパスが不正です。");
const QString kUser = QStringLiteral("ただいま別のユーザがファイルを使用中です。\nもう一度実行して下さい。");
const QString kPerson = QStringLiteral("ただいま別の人がファイルを使用中です。\nもう一度実行して下さい。");

// A step that fails with the given conditions, one per attempt, then succeeds.
struct ScriptedStep {
    QList<FileError> failures;
    int attempts = 0;
    FileStatus operator()()
    {
        FileStatus s;
        if (attempts < failures.size())
            s.error = failures[attempts];
        s.path = QStringLiteral("/data/todo.dat");
        ++attempts;
        return s;
    }
};

}   // namespace

Q_DECLARE_METATYPE(TrapVariant)
Q_DECLARE_METATYPE(Scope)
Q_DECLARE_METATYPE(StepKind)
Q_DECLARE_METATYPE(FileError)

class TestFileErrorHandler : public QObject {
    Q_OBJECT
private slots:
    void reactsToEachCondition_data()
    {
        QTest::addColumn<TrapVariant>("variant");
        QTest::addColumn<Scope>("scope");
        QTest::addColumn<StepKind>("kind");
        QTest::addColumn<FileError>("error");
        QTest::addColumn<bool>("repairAccepted");
        QTest::addColumn<int>("attempts");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<bool>("gaveUp");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QStringList>("repairs");   // "member" / "own"

        using V = TrapVariant;
        QTest::newRow("member folder missing, repaired")
            << V::Shared << Scope::Member << StepKind::Read << FileError::PathNotFound << true << 2 << true << false
            << QStringList{kInvalid} << QStringList{"member"};
        QTest::newRow("member file missing, dialog cancelled: no endless retry")
            << V::Shared << Scope::Member << StepKind::Read << FileError::FileNotFound << false << 1 << false << true
            << QStringList{kInvalid} << QStringList{"member"};
        QTest::newRow("own folder missing outside start-up: own dialog")
            << V::Shared << Scope::Own << StepKind::Write << FileError::PathNotFound << true << 2 << true << false
            << QStringList{kInvalid} << QStringList{"own"};
        QTest::newRow("start-up: own dialog even for a read")
            << V::Startup << Scope::Own << StepKind::Read << FileError::FileNotFound << true << 2 << true << false
            << QStringList{kInvalid} << QStringList{"own"};
        QTest::newRow("in use: retried after OK")
            << V::Shared << Scope::Member << StepKind::Read << FileError::PermissionDenied << true << 2 << true << false
            << QStringList{kUser} << QStringList{};
        QTest::newRow("in use at start-up: other wording")
            << V::Startup << Scope::Own << StepKind::Read << FileError::PermissionDenied << true << 2 << true << false
            << QStringList{kPerson} << QStringList{};
        QTest::newRow("other read failure: passed over in silence")
            << V::Shared << Scope::Member << StepKind::Read << FileError::Other << true << 1 << false << false
            << QStringList{} << QStringList{};
        QTest::newRow("memo missing: told, not retried")
            << V::Memo << Scope::Own << StepKind::Read << FileError::FileNotFound << true << 1 << false << false
            << QStringList{} << QStringList{"memo"};
        QTest::newRow("memo in use: nothing") << V::Memo << Scope::Own << StepKind::Read << FileError::PermissionDenied
                                              << true << 1 << false << false << QStringList{} << QStringList{};
    }
    void reactsToEachCondition()
    {
        QFETCH(TrapVariant, variant);
        QFETCH(Scope, scope);
        QFETCH(StepKind, kind);
        QFETCH(FileError, error);
        QFETCH(bool, repairAccepted);
        QFETCH(int, attempts);
        QFETCH(bool, ok);
        QFETCH(bool, gaveUp);
        QFETCH(QStringList, messages);
        QFETCH(QStringList, repairs);

        FakeUi ui;
        QStringList shown;
        FileErrorHandler handler(variant, ui, nullptr,
                                 {[&] {
                                      shown << "member";
                                      return repairAccepted;
                                  },
                                  [&] {
                                      shown << "own";
                                      return repairAccepted;
                                  },
                                  [&](const FileStatus&) { shown << "memo"; }});
        ScriptedStep step{{error}};
        const TrapResult r = handler.run(std::ref(step), scope, kind);
        QCOMPARE(step.attempts, attempts);
        QCOMPARE(r.ok(), ok);
        QCOMPARE(r.gaveUp, gaveUp);
        QCOMPARE(ui.messageTexts(), messages);
        QCOMPARE(shown, repairs);
        for (const RecordedMessage& m : ui.messages)
            QCOMPARE(m.title, QStringLiteral("ぽるか　Ver.2.10"));
    }

    // Every refusal waits for the user again: the user decides how long to wait.
    void retriesAsOftenAsItFails()
    {
        FakeUi ui;
        FileErrorHandler handler(TrapVariant::Shared, ui, nullptr, {});
        ScriptedStep step{{FileError::PermissionDenied, FileError::PermissionDenied, FileError::PermissionDenied}};
        QVERIFY(handler.run(std::ref(step), Scope::Member, StepKind::Read).ok());
        QCOMPARE(step.attempts, 4);
        QCOMPARE(ui.messages.size(), 3);
    }

    // Waiting for the other program is the user's choice: OK tries again,
    // キャンセル gives the step up (at shutdown the window then stays open).
    void inUseCanBeGivenUp_data()
    {
        QTest::addColumn<TrapVariant>("variant");
        QTest::addColumn<StepKind>("kind");
        QTest::newRow("shared, write") << TrapVariant::Shared << StepKind::Write;
        QTest::newRow("shared, read") << TrapVariant::Shared << StepKind::Read;
        QTest::newRow("start-up") << TrapVariant::Startup << StepKind::Read;
    }
    void inUseCanBeGivenUp()
    {
        QFETCH(TrapVariant, variant);
        QFETCH(StepKind, kind);
        FakeUi ui;
        ui.answer(MsgAnswer::Ok);
        ui.answer(MsgAnswer::Cancel);
        FileErrorHandler handler(variant, ui, nullptr, {});
        ScriptedStep step{{FileError::PermissionDenied, FileError::PermissionDenied, FileError::PermissionDenied}};
        const TrapResult r = handler.run(std::ref(step), Scope::Own, kind);
        QCOMPARE(step.attempts, 2);
        QVERIFY(r.gaveUp);
        QVERIFY(!r.ok());
        QCOMPARE(ui.messages.size(), 2);
        for (const RecordedMessage& m : ui.messages)
            QCOMPARE(m.buttons, MsgButtons::OkCancel);
    }

    // A write that fails for good (disk full, read-only folder) is never passed
    // over: the user retries or gives up, and is told which file it was.
    void failedWriteIsReported_data()
    {
        QTest::addColumn<MsgAnswer>("answer");
        QTest::addColumn<int>("attempts");
        QTest::addColumn<bool>("ok");
        QTest::newRow("retry") << MsgAnswer::Retry << 2 << true;
        QTest::newRow("give up") << MsgAnswer::Cancel << 1 << false;
    }
    void failedWriteIsReported()
    {
        QFETCH(MsgAnswer, answer);
        QFETCH(int, attempts);
        QFETCH(bool, ok);
        FakeUi ui;
        ui.answer(answer);
        FileErrorHandler handler(TrapVariant::Shared, ui, nullptr, {});
        ScriptedStep step{{FileError::Other}};
        const TrapResult r = handler.run(std::ref(step), Scope::Own, StepKind::Write);
        QCOMPARE(step.attempts, attempts);
        QCOMPARE(r.ok(), ok);
        QCOMPARE(r.gaveUp, !ok);
        QCOMPARE(ui.messages.size(), 1);
        QCOMPARE(ui.messages[0].buttons, MsgButtons::RetryCancel);
        QVERIFY(ui.messages[0].text.contains(QStringLiteral("/data/todo.dat")));
    }

    void ownFolderMessageLetsTheUserStop()
    {
        FakeUi ui;
        ui.answer(MsgAnswer::Cancel);
        int dialogs = 0;
        FileErrorHandler handler(TrapVariant::Shared, ui, nullptr,
                                 {{},
                                  [&] {
                                      ++dialogs;
                                      return true;
                                  },
                                  {}});
        ScriptedStep step{{FileError::PathNotFound}};
        const TrapResult r = handler.run(std::ref(step), Scope::Own, StepKind::Write);
        QVERIFY(r.gaveUp);
        QCOMPARE(dialogs, 0);
        QCOMPARE(ui.messages[0].buttons, MsgButtons::OkCancel);
    }
};

PORUKA_TEST_MAIN(TestFileErrorHandler)
#include "test_file_error_handler.moc"
