#include "common/test_main.h"

#include "app/single_instance.h"

#include <QSignalSpy>
#include <QTemporaryDir>

// One running copy per program folder; a second start brings the first forward.
class TestSingleInstance : public QObject {
    Q_OBJECT
private slots:
    void secondStartOnTheSameFolderRaisesTheFirst()
    {
        QTemporaryDir dir;
        SingleInstance first(dir.path());
        QVERIFY(first.isFirst());
        QSignalSpy raised(&first, &SingleInstance::activationRequested);

        {
            SingleInstance second(dir.path());
            QVERIFY(!second.isFirst());
        }
        QTRY_COMPARE(raised.count(), 1);
        // The same folder named through a link is the same folder.
        QTemporaryDir links;
        const QString link = links.filePath(QStringLiteral("via-link"));
        QVERIFY(QFile::link(dir.path(), link));
        {
            SingleInstance third(link + QStringLiteral("/"));
            QVERIFY(!third.isFirst());
        }
        QTRY_COMPARE(raised.count(), 2);
    }

    void otherFoldersRunSideBySide()
    {
        QTemporaryDir a, b;
        SingleInstance first(a.path());
        SingleInstance other(b.path());
        QVERIFY(first.isFirst());
        QVERIFY(other.isFirst());
    }

    // When the first copy ends (or dies: the lock goes with the process), the
    // next start is the first again and answers later starts itself.
    void theFolderIsFreeOnceTheFirstHasEnded()
    {
        QTemporaryDir dir;
        {
            SingleInstance gone(dir.path());
            QVERIFY(gone.isFirst());
        }
        SingleInstance next(dir.path());
        QVERIFY(next.isFirst());
        QSignalSpy raised(&next, &SingleInstance::activationRequested);
        {
            SingleInstance again(dir.path());
            QVERIFY(!again.isFirst());
        }
        QTRY_COMPARE(raised.count(), 1);
    }
};

PORUKA_TEST_MAIN(TestSingleInstance)
#include "test_single_instance.moc"
