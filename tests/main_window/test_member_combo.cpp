#include "common/test_main.h"

#include "main_window/member_combo.h"
#include "store/settings_file.h"

#include <QComboBox>
#include <QSignalSpy>

class TestMemberCombo : public QObject {
    Q_OBJECT
private slots:
    void refillsQuietlyWithMemberZeroShown();
};

void TestMemberCombo::refillsQuietlyWithMemberZeroShown()
{
    AppSettings settings;
    for (int k = 0; k < kMemberSlots; ++k)
        settings.members[std::size_t(k)].name = Field(k == 0 ? QStringLiteral("山田") : QStringLiteral("人%1").arg(k));

    QComboBox combo;
    combo.addItems({"古い1", "古い2", "古い3"});
    combo.setCurrentIndex(2);
    QSignalSpy changed(&combo, &QComboBox::currentIndexChanged);
    QSignalSpy textChanged(&combo, &QComboBox::currentTextChanged);

    fillMemberCombo(combo, settings);
    QCOMPARE(combo.count(), 100);
    QCOMPARE(combo.currentIndex(), 0);
    QCOMPARE(combo.currentText(), QString("山田"));
    QCOMPARE(combo.itemText(1), QString("人1"));
    QCOMPARE(combo.itemText(99), QString("人99"));

    fillMemberCombo(combo, settings);   // again: still 100, not 200
    QCOMPARE(combo.count(), 100);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(textChanged.count(), 0);
}

PORUKA_TEST_MAIN(TestMemberCombo)
#include "test_member_combo.moc"
