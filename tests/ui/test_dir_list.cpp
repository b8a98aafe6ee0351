#include "common/test_main.h"

#include "ui/dir_list.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>

class TestDirList : public QObject {
    Q_OBJECT
private slots:
    void init();
    void rootShowsSubfoldersByNameOnly();
    void enterWithReturnAndGoUpWithDoubleClick();
    void movingFromCodeIsSilent();
    void unreadableTargetLeavesItAlone();
    void pathOutsideTheRootTakesItsVolume();

private:
    QStringList entries(const DirListBox& list) const;
    QString native(const QString& relative) const { return QDir::toNativeSeparators(tmp_->filePath(relative)); }

    std::unique_ptr<QTemporaryDir> tmp_;
};

void TestDirList::init()
{
    tmp_ = std::make_unique<QTemporaryDir>();
    QVERIFY(tmp_->isValid());
    QDir d(tmp_->path());
    for (const char* sub : {"b", "A", "c", "b/inner", "b/Zed"})
        QVERIFY(d.mkpath(sub));
    QFile f(d.filePath("file.txt"));
    QVERIFY(f.open(QIODevice::WriteOnly));
}

QStringList TestDirList::entries(const DirListBox& list) const
{
    QStringList out;
    for (int i = 0; i < list.count(); ++i)
        out.append(list.item(i)->text());
    return out;
}

void TestDirList::rootShowsSubfoldersByNameOnly()
{
    DirListBox list;
    QVERIFY(list.setRoot(tmp_->path()));
    QCOMPARE(list.path(), QDir::toNativeSeparators(tmp_->path()));
    QCOMPARE(entries(list), (QStringList{"A", "b", "c"}));
}

void TestDirList::enterWithReturnAndGoUpWithDoubleClick()
{
    DirListBox list;
    list.resize(200, 300);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    QVERIFY(list.setRoot(tmp_->path()));
    QSignalSpy changed(&list, &DirListBox::pathChanged);

    list.setCurrentRow(1);   // "b"
    QTest::keyClick(&list, Qt::Key_Return);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toString(), native("b"));
    QCOMPARE(list.path(), native("b"));
    QCOMPARE(entries(list), (QStringList{"..", "inner", "Zed"}));

    const QRect up = list.visualItemRect(list.item(0));
    // A double-click as the window system delivers it: a click, then the second press.
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, up.center());
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, up.center());
    QCOMPARE(changed.count(), 2);
    QCOMPARE(list.path(), QDir::toNativeSeparators(tmp_->path()));
    QCOMPARE(entries(list), (QStringList{"A", "b", "c"}));

    // A single click only picks the line.
    QSignalSpy clicked(&list, &QAbstractItemView::clicked);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(2)).center());
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(changed.count(), 2);
    QCOMPARE(list.path(), QDir::toNativeSeparators(tmp_->path()));
}

void TestDirList::movingFromCodeIsSilent()
{
    DirListBox list;
    QSignalSpy changed(&list, &DirListBox::pathChanged);
    QVERIFY(list.setRoot(tmp_->path()));
    QVERIFY(list.setPath(tmp_->filePath("b/inner")));
    QCOMPARE(list.path(), native("b/inner"));
    QCOMPARE(entries(list), QStringList{".."});
    QCOMPARE(changed.count(), 0);
}

void TestDirList::unreadableTargetLeavesItAlone()
{
    DirListBox list;
    QVERIFY(list.setRoot(tmp_->path()));
    QVERIFY(!list.setPath(tmp_->filePath("missing")));
    QVERIFY(!list.setPath(tmp_->filePath("file.txt")));
    QVERIFY(!list.setRoot(tmp_->filePath("missing")));
    QCOMPARE(list.path(), QDir::toNativeSeparators(tmp_->path()));
    QCOMPARE(list.count(), 3);
}

void TestDirList::pathOutsideTheRootTakesItsVolume()
{
    DirListBox list;
    QVERIFY(list.setRoot(tmp_->filePath("b")));
    QCOMPARE(entries(list), (QStringList{"inner", "Zed"}));
    QVERIFY(list.setPath(tmp_->path()));
    // The temporary folder is not the root of its volume, so it can be left upwards.
    QCOMPARE(entries(list).value(0), QString(".."));
    QVERIFY(list.root() != native("b"));
}

PORUKA_TEST_MAIN(TestDirList)
#include "test_dir_list.moc"
