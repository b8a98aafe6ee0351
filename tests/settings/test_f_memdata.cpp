#include "common/fake_ui.h"
#include "common/test_main.h"

#include "settings/f_memdata.h"
#include "store/settings_file.h"
#include "ui/dir_list.h"
#include "ui/drive_list.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>

namespace {

QString sep() { return QString(dirSeparator()); }

AppSettings sampleSettings()
{
    AppSettings s;
    s.members[0] = {Field(QStringLiteral("自分")), Field(QStringLiteral("/data/me/"))};
    for (int k = 1; k < kMemberSlots; ++k)
        s.members[std::size_t(k)] = {Field(kFreeMemberName), Field(kFreeMemberDirectory)};
    s.members[3] = {Field(QStringLiteral("田中")), Field(QStringLiteral("/share/tanaka/"))};
    s.members[7] = {Field(QStringLiteral("鈴木")), Field(QStringLiteral("/share/suzuki/"))};
    return s;
}

}   // namespace

class TestFMemdata : public QObject {
    Q_OBJECT
private slots:
    void init();
    void controlsAfterLoading();
    void beforeTextsAreReadOnly();
    void choosingALineFillsTheBeforeTexts();
    void validation_data();
    void validation();
    void storesTheChosenSlot_data();
    void storesTheChosenSlot();
    void renamingKeepsTheSlot();
    void cancelChangesNothing();
    void addTakesTheFirstFreeSlot();
    void removeFreesTheSlot_data();
    void removeFreesTheSlot();
    void folderAndDriveChoiceFillText4();

private:
    std::unique_ptr<QWidget> main_;
    std::unique_ptr<FakeUi> ui_;
    AppSettings settings_;
};

void TestFMemdata::init()
{
    main_ = std::make_unique<QWidget>();
    main_->setGeometry(100, 50, 1000, 800);
    ui_ = std::make_unique<FakeUi>();
    settings_ = sampleSettings();
}

void TestFMemdata::controlsAfterLoading()
{
    F_memdata dlg(settings_, *ui_, main_.get());
    QCOMPARE(dlg.objectName(), QString("F_memdata"));
    QCOMPARE(dlg.windowTitle(), QString("ぽるか　Ver.2.10"));
    const QList<std::pair<QWidget*, QString>> named{
        {dlg.Label1, "Label1"},    {dlg.List1, "List1"},       {dlg.Label6, "Label6"},     {dlg.Label4, "Label4"},
        {dlg.Text1, "Text1"},      {dlg.Label5, "Label5"},     {dlg.Text2, "Text2"},       {dlg.Label2, "Label2"},
        {dlg.Text3, "Text3"},      {dlg.Label3, "Label3"},     {dlg.Text4, "Text4"},       {dlg.Drive1, "Drive1"},
        {dlg.Dir1, "Dir1"},        {dlg.Command1, "Command1"}, {dlg.Command2, "Command2"}, {dlg.Command3, "Command3"},
        {dlg.Command4, "Command4"}};
    for (const auto& [widget, name] : named) {
        QVERIFY2(widget, qPrintable(name));
        QCOMPARE(widget->objectName(), name);
    }
    QCOMPARE(dlg.Label1->text(),
             QString("やることや予定を見たい人の名前と、その人のデータが格納されているドライブ、ディレクトリを指定して"
                     "下さい。"));
    QCOMPARE(dlg.Label6->text(), QString("←変更前の名前をここから　選んで下さい"));
    QCOMPARE(dlg.Label4->text(), QString("氏名(変更前)"));
    QCOMPARE(dlg.Label5->text(), QString("ディレクトリ(変更前)"));
    QCOMPARE(dlg.Label2->text(), QString("氏名(変更後)"));
    QCOMPARE(dlg.Label3->text(), QString("ディレクトリ(変更後)"));
    QCOMPARE(dlg.Command1->text(), QString("決定"));
    QCOMPARE(dlg.Command2->text(), QString("中止"));
    QCOMPARE(dlg.Command3->text(), QString("追加"));
    QCOMPARE(dlg.Command4->text(), QString("削除"));

    const QSize size = dlg.frameGeometry().size();
    QCOMPARE(dlg.pos(), QPoint(100 + (1000 - size.width()) / 2, 50 + (800 - size.height()) / 2));

    // The colleagues there are, no free slot among them.
    QCOMPARE(dlg.List1->count(), 2);
    QCOMPARE(dlg.List1->item(0)->text(), QString("田中"));
    QCOMPARE(dlg.List1->item(1)->text(), QString("鈴木"));
    QCOMPARE(dlg.List1->currentRow(), -1);
    for (QLineEdit* t : {dlg.Text1, dlg.Text2, dlg.Text3, dlg.Text4})
        QVERIFY2(t->text().isEmpty(), qPrintable(t->objectName()));
    QCOMPARE(dlg.Dir1->path(), QDir::toNativeSeparators(QDir::currentPath()));
}

void TestFMemdata::beforeTextsAreReadOnly()
{
    F_memdata dlg(settings_, *ui_, main_.get());
    dlg.List1->setCurrentRow(1);
    QTest::keyClicks(dlg.Text1, "xyz");
    QTest::keyClicks(dlg.Text2, "xyz");
    QCOMPARE(dlg.Text1->text(), QString("鈴木"));
    QCOMPARE(dlg.Text2->text(), QString("/share/suzuki/"));
}

void TestFMemdata::choosingALineFillsTheBeforeTexts()
{
    F_memdata dlg(settings_, *ui_, main_.get());
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    dlg.Dir1->setFocus();

    QTest::mouseClick(dlg.List1->viewport(), Qt::LeftButton, {},
                      dlg.List1->visualItemRect(dlg.List1->item(0)).center());
    QCOMPARE(dlg.Text1->text(), QString("田中"));
    QCOMPARE(dlg.Text2->text(), QString("/share/tanaka/"));
    QCOMPARE(dlg.focusWidget(), dlg.Text3);

    dlg.List1->setCurrentRow(1);   // by keyboard
    QCOMPARE(dlg.Text1->text(), QString("鈴木"));
    QCOMPARE(dlg.Text2->text(), QString("/share/suzuki/"));
}

void TestFMemdata::validation_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("dir");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("beeps");
    QTest::addColumn<QString>("focus");
    QTest::newRow("no new name") << 1 << ""
                                 << "/x/"
                                 << "変更後の名前を入力して下さい。" << 1 << "Text3";
    QTest::newRow("no new directory") << 1 << "佐藤"
                                      << ""
                                      << "データを格納するディレクトリを指定して下さい。" << 1 << "Text4";
    QTest::newRow("neither: name first") << 1 << ""
                                         << ""
                                         << "変更後の名前を入力して下さい。" << 1 << "Text3";
    QTest::newRow("no line chosen") << -1 << "佐藤"
                                    << "/x/"
                                    << "変更する名前を指定して下さい。" << 0 << "Text3";
    QTest::newRow("folder name outside code page 932")
        << 1 << "佐藤"
        << "/srv/\u00e9quipe"
        << "ディレクトリ名に使えない文字が含まれています。" << 1 << "Text4";
    QTest::newRow("relative folder") << 1 << "佐藤"
                                     << "share/sato"
                                     << "ディレクトリはドライブ（ルート）から指定して下さい。" << 1 << "Text4";
    QTest::newRow("name outside code page 932")
        << 1 << "Zoë 🍣"
        << "/x/"
        << "使用できない文字が含まれています。\n（氏名(変更後)）" << 1 << "Text3";
}

void TestFMemdata::validation()
{
    QFETCH(int, row);
    QFETCH(QString, name);
    QFETCH(QString, dir);
    QFETCH(QString, message);
    QFETCH(int, beeps);
    QFETCH(QString, focus);
    const QByteArray before = serializeSettings(settings_);
    F_memdata dlg(settings_, *ui_, main_.get());
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QSignalSpy finished(&dlg, &QDialog::finished);
    if (row >= 0)
        dlg.List1->setCurrentRow(row);
    dlg.Text3->setText(name);
    dlg.Text4->setText(dir);
    dlg.List1->setFocus();

    QTest::mouseClick(dlg.Command1, Qt::LeftButton);
    QCOMPARE(ui_->messageTexts(), QStringList{message});
    QCOMPARE(ui_->messages[0].icon, MsgIcon::Exclamation);
    QCOMPARE(ui_->messages[0].buttons, MsgButtons::Ok);
    QCOMPARE(ui_->beeps, beeps);
    QCOMPARE(dlg.focusWidget()->objectName(), focus);
    QCOMPARE(finished.count(), 0);
    QCOMPARE(serializeSettings(settings_), before);
}

void TestFMemdata::storesTheChosenSlot_data()
{
    QTest::addColumn<QString>("typed");
    const QString dir = QDir::toNativeSeparators("/share/sato");
    QTest::newRow("without separator") << dir;
    QTest::newRow("with separator") << dir + sep();
}

void TestFMemdata::storesTheChosenSlot()
{
    QFETCH(QString, typed);
    const QByteArray before = serializeSettings(settings_);
    F_memdata dlg(settings_, *ui_, main_.get());
    QSignalSpy accepted(&dlg, &QDialog::accepted);
    dlg.List1->setCurrentRow(1);
    dlg.Text3->setText("佐藤");
    dlg.Text4->setText(typed);
    dlg.Command1_Click();

    QCOMPARE(accepted.count(), 1);
    QVERIFY(ui_->messages.isEmpty());
    QCOMPARE(dlg.entry().slot, 7);
    QCOMPARE(dlg.entry().name, QString("佐藤"));
    QCOMPARE(dlg.entry().directory, QDir::toNativeSeparators("/share/sato") + sep());
    QCOMPARE(serializeSettings(settings_), before);   // the dialog changes nothing itself
}

void TestFMemdata::renamingKeepsTheSlot()
{
    F_memdata dlg(settings_, *ui_, main_.get());
    dlg.List1->setCurrentRow(0);   // 田中 in slot 3
    dlg.Text3->setText(dlg.Text1->text() + "一郎");
    dlg.Text4->setText(dlg.Text2->text());
    dlg.Command1_Click();

    QCOMPARE(dlg.entry().slot, 3);
    QCOMPARE(dlg.entry().name, QString("田中一郎"));
    QCOMPARE(dlg.entry().directory, QString("/share/tanaka/"));
}

void TestFMemdata::addTakesTheFirstFreeSlot()
{
    F_memdata dlg(settings_, *ui_, main_.get());
    dlg.List1->setCurrentRow(1);
    dlg.Command3_Click();
    QVERIFY(dlg.List1->selectedItems().isEmpty());
    dlg.Text3->setText("佐藤");
    dlg.Text4->setText("/share/sato/");
    dlg.Command1_Click();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(dlg.entry().slot, 1);
    QCOMPARE(dlg.entry().name, QString("佐藤"));
    QVERIFY(!dlg.entry().remove);

    // All 99 taken: nothing to add to.
    for (int k = 1; k < kMemberSlots; ++k)
        settings_.members[std::size_t(k)].name = Field(QStringLiteral("同僚%1").arg(k));
    F_memdata full(settings_, *ui_, main_.get());
    full.Command3_Click();
    QCOMPARE(ui_->messageTexts(), QStringList{"これ以上メンバーを追加できません（９９人まで）。"});
}

void TestFMemdata::removeFreesTheSlot_data()
{
    QTest::addColumn<MsgAnswer>("answer");
    QTest::newRow("yes") << MsgAnswer::Yes;
    QTest::newRow("no") << MsgAnswer::No;
}

void TestFMemdata::removeFreesTheSlot()
{
    QFETCH(MsgAnswer, answer);
    F_memdata dlg(settings_, *ui_, main_.get());
    dlg.Command4_Click();   // nobody chosen
    QCOMPARE(ui_->messageTexts(), QStringList{"削除するメンバーを選んで下さい。"});
    dlg.List1->setCurrentRow(1);   // 鈴木, slot 7
    ui_->answers.enqueue(answer);
    dlg.Command4_Click();
    QCOMPARE(ui_->messages.size(), 2);
    QVERIFY(ui_->messages[1].text.startsWith(QStringLiteral("鈴木 さんをメンバーから外しますか？")));
    QCOMPARE(dlg.result(), answer == MsgAnswer::Yes ? int(QDialog::Accepted) : int(QDialog::Rejected));
    if (answer == MsgAnswer::Yes) {
        QCOMPARE(dlg.entry().slot, 7);
        QVERIFY(dlg.entry().remove);
    }
}

void TestFMemdata::cancelChangesNothing()
{
    const QByteArray before = serializeSettings(settings_);
    F_memdata dlg(settings_, *ui_, main_.get());
    QSignalSpy rejected(&dlg, &QDialog::rejected);
    dlg.List1->setCurrentRow(1);
    dlg.Text3->setText("佐藤");
    dlg.Text4->setText("/share/sato/");
    QTest::mouseClick(dlg.Command2, Qt::LeftButton);
    QCOMPARE(rejected.count(), 1);
    QCOMPARE(serializeSettings(settings_), before);
    QVERIFY(ui_->messages.isEmpty());
}

void TestFMemdata::folderAndDriveChoiceFillText4()
{
    QTemporaryDir tmp;
    QVERIFY(tmp.isValid());
    QVERIFY(QDir(tmp.path()).mkpath("share/sub"));
    const QString drive = tmp.filePath("share");
    F_memdata dlg(settings_, *ui_, main_.get());
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    dlg.Drive1->setRoots({tmp.filePath("no-such-drive"), drive});

    dlg.Drive1->setCurrentIndex(1);
    QCOMPARE(dlg.Text4->text(), QDir::toNativeSeparators(drive));

    dlg.Text4->setText("typed");   // a click on the folder list puts its path back
    QTest::mouseClick(dlg.Dir1->viewport(), Qt::LeftButton, {}, dlg.Dir1->visualItemRect(dlg.Dir1->item(0)).center());
    QCOMPARE(dlg.Text4->text(), QDir::toNativeSeparators(drive));

    QTest::keyClick(dlg.Dir1, Qt::Key_Return);   // into "sub"
    const QString sub = QDir::toNativeSeparators(tmp.filePath("share/sub"));
    QCOMPARE(dlg.Text4->text(), sub);

    dlg.Drive1->setCurrentIndex(0);
    QCOMPARE(ui_->beeps, 1);
    QCOMPARE(dlg.Drive1->currentIndex(), 1);
    QCOMPARE(dlg.Text4->text(), sub);
}

PORUKA_TEST_MAIN(TestFMemdata)
#include "test_f_memdata.moc"
