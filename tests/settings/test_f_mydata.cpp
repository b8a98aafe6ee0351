#include "common/fake_ui.h"
#include "common/temp_files.h"
#include "common/test_main.h"

#include "settings/f_mydata.h"
#include "store/item_store.h"
#include "store/memo.h"
#include "store/settings_file.h"
#include "ui/dir_list.h"
#include "ui/drive_list.h"

#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>

namespace {

QString sep() { return QString(dirSeparator()); }

AppSettings settingsWith(const QString& name, const QString& dir)
{
    AppSettings s;
    s.members[0] = {Field(name), Field(dir)};
    for (int k = 1; k < kMemberSlots; ++k)
        s.members[std::size_t(k)] = {Field(kFreeMemberName), Field(kFreeMemberDirectory)};
    return s;
}

}   // namespace

class TestFMydata : public QObject {
    Q_OBJECT
private slots:
    void init();
    void controlsAfterLoading();
    void initialTexts_data();
    void initialTexts();
    void validation_data();
    void validation();
    void trailingSeparator_data();
    void trailingSeparator();
    void choiceReported();
    void cancelChangesNothing();
    void folderAndDriveChoiceFillText2();
    void missingFolderOffered_data();
    void missingFolderOffered();
    void newFolderButton();

private:
    QString oldDir() const { return QDir::toNativeSeparators(tmp_->filePath("old")) + sep(); }
    QString newDir() const { return QDir::toNativeSeparators(tmp_->filePath("new")) + sep(); }
    QStringList newDirFiles() const { return QDir(tmp_->filePath("new")).entryList(QDir::Files); }

    std::unique_ptr<QTemporaryDir> tmp_;
    std::unique_ptr<QWidget> main_;
    FakeUi ui_;
};

void TestFMydata::init()
{
    tmp_ = std::make_unique<QTemporaryDir>();
    QVERIFY(tmp_->isValid());
    QVERIFY(QDir(tmp_->path()).mkpath("old"));
    QVERIFY(QDir(tmp_->path()).mkpath("new"));
    main_ = std::make_unique<QWidget>();
    main_->setGeometry(100, 50, 1000, 800);
    ui_ = FakeUi();
}

void TestFMydata::controlsAfterLoading()
{
    AppSettings settings = settingsWith("山田", oldDir());
    F_mydata dlg(settings, "/opt/poruka", ui_, main_.get());

    QCOMPARE(dlg.objectName(), QString("F_mydata"));
    QCOMPARE(dlg.windowTitle(), QString("ぽるか　Ver.2.10"));
    const QList<std::pair<QWidget*, QString>> named{
        {dlg.Label1, "Label1"},     {dlg.Label4, "Label4"},     {dlg.Text1, "Text1"},      {dlg.Label2, "Label2"},
        {dlg.Label5, "Label5"},     {dlg.Drive1, "Drive1"},     {dlg.Dir1, "Dir1"},        {dlg.Text2, "Text2"},
        {dlg.Command1, "Command1"}, {dlg.Command2, "Command2"}, {dlg.Command3, "Command3"}};
    for (const auto& [widget, name] : named) {
        QVERIFY2(widget, qPrintable(name));
        QCOMPARE(widget->objectName(), name);
        QCOMPARE(widget->parentWidget(), &dlg);
    }
    QCOMPARE(dlg.Label1->text(), QString("① 自分の名前（又はニックネームなど）を入力して下さい。"));
    QCOMPARE(dlg.Label4->text(), QString("自分の名前："));
    QVERIFY(dlg.Label2->text().startsWith(
        "② データを格納するドライブとディレクトリを、以下のリストから選択　 して下さい。"));
    QVERIFY(dlg.Label2->text().endsWith("ネットワーク上の共用ドライブを　 指定して下さい。）"));
    QCOMPARE(dlg.Label5->text(), QString("データを格納するドライブとディレクトリ"));
    QCOMPARE(dlg.Command1->text(), QString("決定"));
    QCOMPARE(dlg.Command2->text(), QString("中止"));

    const QSize size = dlg.frameGeometry().size();
    QCOMPARE(dlg.pos(), QPoint(100 + (1000 - size.width()) / 2, 50 + (800 - size.height()) / 2));

    QCOMPARE(dlg.Command3->text(), QString("新しいフォルダ"));

    // The lists start at the folder in the path box; the box keeps its text.
    QCOMPARE(dlg.Dir1->path(), QDir::toNativeSeparators(tmp_->filePath("old")));
    QCOMPARE(dlg.Text2->text(), oldDir());
    QVERIFY(ui_.messages.isEmpty());
}

void TestFMydata::initialTexts_data()
{
    QTest::addColumn<QString>("storedName");
    QTest::addColumn<QString>("storedDir");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("dir");
    const QString d = "/data/yamada/";
    QTest::newRow("stored") << "山田" << d << "山田" << d;
    QTest::newRow("no name") << "" << d << "自分" << d;
    QTest::newRow("no directory") << "山田"
                                  << ""
                                  << "山田" << QDir::toNativeSeparators("/opt/poruka");
    // An installed program's folder is hidden: a visible one is proposed.
    QTest::newRow("no directory, installed") << "山田"
                                             << ""
                                             << "山田" << QDir::toNativeSeparators(QDir::homePath() + "/ぽるか");
}

void TestFMydata::initialTexts()
{
    QFETCH(QString, storedName);
    QFETCH(QString, storedDir);
    AppSettings settings = settingsWith(storedName, storedDir);
    const QString programDir = QString::fromLatin1(QTest::currentDataTag()).endsWith("installed")
        ? QDir::homePath() + "/.local/share/poruka"
        : QStringLiteral("/opt/poruka");
    F_mydata dlg(settings, programDir, ui_, main_.get());
    QTEST(dlg.Text1->text(), "name");
    QTEST(dlg.Text2->text(), "dir");
}

void TestFMydata::validation_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("dir");
    QTest::addColumn<QString>("message");
    QTest::newRow("no name") << ""
                             << "/x/"
                             << "名前を入力して下さい。";
    QTest::newRow("no directory") << "山田"
                                  << ""
                                  << "データを格納するディレクトリを指定して下さい。";
    QTest::newRow("neither: name first") << ""
                                         << ""
                                         << "名前を入力して下さい。";
    QTest::newRow("folder name outside code page 932") << "山田"
                                                       << "/home/jos\u00e9/データ"
                                                       << "ディレクトリ名に使えない文字が含まれています。";
    QTest::newRow("relative folder") << "山田"
                                     << "data"
                                     << "ディレクトリはドライブ（ルート）から指定して下さい。";
    QTest::newRow("name outside code page 932") << "José 😀"
                                                << "/x/"
                                                << "使用できない文字が含まれています。\n（自分の名前）";
}

void TestFMydata::validation()
{
    QFETCH(QString, name);
    QFETCH(QString, dir);
    QFETCH(QString, message);
    AppSettings settings = settingsWith("山田", oldDir());
    const QByteArray before = serializeSettings(settings);
    F_mydata dlg(settings, "/opt/poruka", ui_, main_.get());
    QSignalSpy finished(&dlg, &QDialog::finished);
    dlg.Text1->setText(name);
    dlg.Text2->setText(dir);

    QTest::mouseClick(dlg.Command1, Qt::LeftButton);
    QCOMPARE(ui_.beeps, 1);
    QCOMPARE(ui_.messageTexts(), QStringList{message});
    QCOMPARE(ui_.messages[0].buttons, MsgButtons::Ok);
    QCOMPARE(ui_.messages[0].icon, MsgIcon::Exclamation);
    QCOMPARE(ui_.messages[0].title, QString("ぽるか　Ver.2.10"));
    QCOMPARE(finished.count(), 0);
    QCOMPARE(serializeSettings(settings), before);
    QCOMPARE(dlg.Text1->text(), name);   // the input stays for correcting
    QCOMPARE(dlg.Text2->text(), dir);
}

void TestFMydata::trailingSeparator_data()
{
    QTest::addColumn<bool>("withSeparator");
    QTest::newRow("without") << false;
    QTest::newRow("with") << true;
}

void TestFMydata::trailingSeparator()
{
    QFETCH(bool, withSeparator);
    const QString dir = QDir::toNativeSeparators(tmp_->filePath("new"));
    AppSettings settings = settingsWith("", "");
    F_mydata dlg(settings, "/opt/poruka", ui_, main_.get());
    QSignalSpy accepted(&dlg, &QDialog::accepted);
    dlg.Text1->setText("佐藤");
    dlg.Text2->setText(withSeparator ? dir + sep() : dir);
    dlg.Command1_Click();
    QCOMPARE(accepted.count(), 1);
    QCOMPARE(dlg.entry().name, QString("佐藤"));
    QCOMPARE(dlg.entry().directory, dir + sep());
    QVERIFY(ui_.messages.isEmpty());
    QCOMPARE(ui_.beeps, 0);
}

// 決定 says what was chosen; the dialog itself changes nothing.
void TestFMydata::choiceReported()
{
    AppSettings settings = settingsWith("山田", oldDir());
    const QByteArray before = serializeSettings(settings);
    F_mydata dlg(settings, "/opt/poruka", ui_, main_.get());
    QSignalSpy accepted(&dlg, &QDialog::accepted);
    dlg.Text1->setText("佐藤");
    dlg.Text2->setText(QDir::toNativeSeparators(tmp_->filePath("new")));
    QTest::mouseClick(dlg.Command1, Qt::LeftButton);

    QCOMPARE(accepted.count(), 1);
    QVERIFY(ui_.messages.isEmpty());
    QCOMPARE(dlg.entry().name, QStringLiteral("佐藤"));
    QCOMPARE(dlg.entry().directory, newDir());
    QCOMPARE(serializeSettings(settings), before);
    QVERIFY(newDirFiles().isEmpty());
}

void TestFMydata::cancelChangesNothing()
{
    AppSettings settings = settingsWith("山田", oldDir());
    const QByteArray before = serializeSettings(settings);

    F_mydata dlg(settings, "/opt/poruka", ui_, main_.get());
    QSignalSpy rejected(&dlg, &QDialog::rejected);
    dlg.Text1->setText("別人");
    dlg.Text2->setText(newDir());
    QTest::mouseClick(dlg.Command2, Qt::LeftButton);

    QCOMPARE(rejected.count(), 1);
    QCOMPARE(serializeSettings(settings), before);
    QVERIFY(newDirFiles().isEmpty());
    QVERIFY(ui_.messages.isEmpty());
}

void TestFMydata::folderAndDriveChoiceFillText2()
{
    QVERIFY(QDir(tmp_->path()).mkpath("old/sub"));
    AppSettings settings = settingsWith("山田", oldDir());
    F_mydata dlg(settings, "/opt/poruka", ui_, main_.get());
    const QString missing = tmp_->filePath("no-such-drive");
    const QString drive = tmp_->filePath("old");
    dlg.Drive1->setRoots({missing, drive});

    dlg.Drive1->setCurrentIndex(1);   // the user picks a drive
    QCOMPARE(dlg.Text2->text(), QDir::toNativeSeparators(drive));
    QCOMPARE(ui_.beeps, 0);

    dlg.Dir1->setCurrentRow(0);   // "sub"
    QTest::keyClick(dlg.Dir1, Qt::Key_Return);
    const QString sub = QDir::toNativeSeparators(tmp_->filePath("old/sub"));
    QCOMPARE(dlg.Text2->text(), sub);

    dlg.Drive1->setCurrentIndex(0);   // a drive that cannot be read
    QCOMPARE(ui_.beeps, 1);
    QCOMPARE(dlg.Drive1->currentIndex(), 1);
    QCOMPARE(dlg.Dir1->path(), sub);
    QCOMPARE(dlg.Text2->text(), sub);
    QVERIFY(ui_.messages.isEmpty());
}

// A folder that is not there is offered to be made; declined, the dialog stays.
void TestFMydata::missingFolderOffered_data()
{
    QTest::addColumn<MsgAnswer>("answer");
    QTest::newRow("made") << MsgAnswer::Yes;
    QTest::newRow("declined") << MsgAnswer::No;
}

void TestFMydata::missingFolderOffered()
{
    QFETCH(MsgAnswer, answer);
    AppSettings settings = settingsWith("", "");
    F_mydata dlg(settings, "/opt/poruka", ui_, main_.get());
    const QString missing = QDir::toNativeSeparators(tmp_->filePath("share/ぽるか"));
    dlg.Text1->setText("佐藤");
    dlg.Text2->setText(missing);
    ui_.answer(answer);
    dlg.Command1_Click();
    QCOMPARE(ui_.messages.size(), 1);
    QCOMPARE(ui_.messages[0].buttons, MsgButtons::YesNo);
    QVERIFY(ui_.messages[0].text.contains(missing));
    const bool made = answer == MsgAnswer::Yes;
    QCOMPARE(QFileInfo(tmp_->filePath("share/ぽるか")).isDir(), made);
    QCOMPARE(dlg.result(), made ? int(QDialog::Accepted) : int(QDialog::Rejected));
    if (made)
        QCOMPARE(dlg.entry().directory, missing + sep());
}

void TestFMydata::newFolderButton()
{
    AppSettings settings = settingsWith("山田", oldDir());
    F_mydata dlg(settings, "/opt/poruka", ui_, main_.get());
    ui_.onDialog(QStringLiteral("NewFolder"), [](QDialog& d) {
        static_cast<QInputDialog&>(d).setTextValue(QStringLiteral("共有"));
        d.accept();
        return d.result();
    });
    dlg.Command3_Click();
    const QString made = QDir::toNativeSeparators(tmp_->filePath("old/共有"));
    QVERIFY(QFileInfo(made).isDir());
    QCOMPARE(dlg.Dir1->path(), made);
    QCOMPARE(dlg.Text2->text(), made);
}

PORUKA_TEST_MAIN(TestFMydata)
#include "test_f_mydata.moc"
