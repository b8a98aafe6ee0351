#include "common/test_main.h"

#include "store/cp932.h"

namespace {

QString ch(char16_t c) { return QString(QChar(c)); }
QByteArray hex(const char* h) { return QByteArray::fromHex(h); }

bool isLead(unsigned b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// Which of a character's codes Windows writes: lower wins.
int area(const QByteArray& code)
{
    const unsigned lead = static_cast<unsigned char>(code[0]);
    if ((lead >= 0x81 && lead <= 0x84) || (lead >= 0x88 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xEA))
        return 1;   // JIS X 0208
    if (lead == 0x87)
        return 2;   // NEC row 13
    if (lead >= 0xFA)
        return 3;   // IBM extensions
    if (lead == 0xED || lead == 0xEE)
        return 5;   // NEC-selected IBM extensions
    return 4;
}

}   // namespace

class TestCp932 : public QObject {
    Q_OBJECT

private slots:
    void roundTrip_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QByteArray() << QString();
        QTest::newRow("ASCII, backslash and tilde stay ASCII")
            << QByteArray("Todo 1/2 \\~ {x}\r\n") << QStringLiteral("Todo 1/2 \\~ {x}\r\n");
        QTest::newRow("NUL and controls") << QByteArray("a\0\t\x7F", 4) << QStringView(u"a\0\t\x7F", 4).toString();
        QTest::newRow("half-width katakana") << hex("B1B2B3DEDF A1DF") << QStringLiteral("ｱｲｳﾞﾟ｡ﾟ");
        QTest::newRow("kana and kanji") << hex("8DA193FA82CC975C92E8") << QStringLiteral("今日の予定");
        QTest::newRow("trail byte 0x5C") << hex("955C835C945C") << QStringLiteral("表ソ能");
        QTest::newRow("mixed widths") << hex("41 8140 B1 82A0 5C") << QStringLiteral("A　ｱあ\\");
        QTest::newRow("full-width tilde") << hex("8160") << ch(0xFF5E);
        QTest::newRow("user-defined area first") << hex("F040") << ch(0xE000);
        QTest::newRow("user-defined area last") << hex("F9FC") << ch(0xE757);
        QTest::newRow("IBM-only kanji") << hex("FA5CFC4B") << QStringLiteral("纊黑");
        QTest::newRow("NEC row 13") << hex("8740878A8754") << QStringLiteral("①㈱Ⅰ");
        QTest::newRow("0x80") << hex("80") << ch(0x0080);
        QTest::newRow("0xA0") << hex("A0") << ch(0xF8F0);
        QTest::newRow("0xFD-0xFF") << hex("FDFEFF") << (ch(0xF8F1) + ch(0xF8F2) + ch(0xF8F3));
    }
    void roundTrip()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(cp932::decode(bytes), text);
        QCOMPARE(cp932::encode(text), bytes);
    }

    // Characters with several codes get the one Windows writes; every code still
    // decodes to the character.
    void twinCodes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("written");
        QTest::addColumn<QByteArrayList>("others");
        QTest::newRow("≒ JIS before NEC") << ch(0x2252) << hex("81E0") << QByteArrayList{hex("8790")};
        QTest::newRow("∵ JIS before NEC and IBM")
            << ch(0x2235) << hex("81E6") << QByteArrayList{hex("879A"), hex("FA5B")};
        QTest::newRow("￢ JIS before IBM and NEC-selected")
            << ch(0xFFE2) << hex("81CA") << QByteArrayList{hex("EEF9"), hex("FA54")};
        QTest::newRow("Ⅰ NEC before IBM") << ch(0x2160) << hex("8754") << QByteArrayList{hex("FA4A")};
        QTest::newRow("㈱ NEC before IBM") << ch(0x3231) << hex("878A") << QByteArrayList{hex("FA58")};
        QTest::newRow("ⅰ IBM before NEC-selected") << ch(0x2170) << hex("FA40") << QByteArrayList{hex("EEEF")};
        QTest::newRow("纊 IBM before NEC-selected") << ch(0x7E8A) << hex("FA5C") << QByteArrayList{hex("ED40")};
        QTest::newRow("￤") << ch(0xFFE4) << hex("FA55") << QByteArrayList{hex("EEFA")};
        QTest::newRow("＇") << ch(0xFF07) << hex("FA56") << QByteArrayList{hex("EEFB")};
        QTest::newRow("＂") << ch(0xFF02) << hex("FA57") << QByteArrayList{hex("EEFC")};
        QTest::newRow("① single code") << ch(0x2460) << hex("8740") << QByteArrayList{};
    }
    void twinCodes()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, written);
        QFETCH(QByteArrayList, others);
        QCOMPARE(cp932::encode(text), written);
        QCOMPARE(cp932::decode(written), text);
        for (const QByteArray& other : others)
            QCOMPARE(cp932::decode(other), text);
    }

    // Characters no code decodes to, which Windows still writes as a look-alike.
    void encodeOnly_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("〜 wave dash") << ch(0x301C) << hex("8160");
        QTest::newRow("− minus sign") << ch(0x2212) << hex("817C");
        QTest::newRow("－ full-width hyphen-minus") << ch(0xFF0D) << hex("817C");
        QTest::newRow("¢ £ ¬") << QStringLiteral("¢£¬") << hex("8191819281CA");
        QTest::newRow("‖") << ch(0x2016) << hex("8161");
    }
    void encodeOnly()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, written);
        QCOMPARE(cp932::encode(text), written);
    }

    void decodeInvalid_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        const QString bad = ch(0xFFFD);
        QTest::newRow("lone lead byte") << hex("82") << bad;
        QTest::newRow("lead byte at the end") << QByteArray("ab\x82") << QStringLiteral("ab") + bad;
        QTest::newRow("trail below range") << QByteArray("\x82 a") << bad + QStringLiteral(" a");
        QTest::newRow("trail is a control") << hex("820A") << bad + QStringLiteral("\n");
        QTest::newRow("trail 0x7F") << hex("827F") << bad + ch(0x7F);
        QTest::newRow("trail above range") << hex("82FD") << bad + ch(0xF8F1);
        QTest::newRow("unassigned lead, ASCII trail") << hex("8540") << bad + QStringLiteral("@");
        QTest::newRow("unassigned lead, kana trail") << hex("EBA1") << bad + QStringLiteral("｡");
        QTest::newRow("unassigned code re-reads the next pair") << hex("EF8140") << bad + QStringLiteral("　");
        QTest::newRow("past the last IBM code") << hex("FC4C") << bad + QStringLiteral("L");
        QTest::newRow("bad byte between good ones")
            << hex("82A0 86 82A2") << QStringLiteral("あ") + bad + QStringLiteral("い");
        QTest::newRow("lead byte as trail is a pair") << hex("8282") << QStringLiteral("ｂ");
        QTest::newRow("lead then lead at the end") << hex("41 EF 82") << QStringLiteral("A") + bad + bad;
    }
    void decodeInvalid()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(cp932::decode(bytes), text);
    }

    void decodeStopsAtSize()
    {
        const char buffer[] = "\x82\xA0\x82\xA2";   // あい
        QCOMPARE(cp932::decode(buffer, 0), QString());
        QCOMPARE(cp932::decode(buffer, 1), ch(0xFFFD));
        QCOMPARE(cp932::decode(buffer, 3), QStringLiteral("あ") + ch(0xFFFD));
        QCOMPARE(cp932::decode(buffer, 4), QStringLiteral("あい"));
    }

    void encodeUnmappable_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("euro sign") << QStringLiteral("5€") << QByteArray("5?");
        QTest::newRow("hangul") << QStringLiteral("한글") << QByteArray("??");
        QTest::newRow("surrogate pair is one character") << QStringLiteral("a😀b") << QByteArray("a?b");
        QTest::newRow("two pairs") << QStringLiteral("😀𠮷") << QByteArray("??");
        QTest::newRow("lone high surrogate")
            << (QStringLiteral("x") + ch(0xD83D) + QStringLiteral("y")) << QByteArray("x?y");
        QTest::newRow("high surrogate at the end") << (QStringLiteral("x") + ch(0xD83D)) << QByteArray("x?");
        QTest::newRow("lone low surrogate") << (ch(0xDE00) + QStringLiteral("表")) << (QByteArray("?") + hex("955C"));
        QTest::newRow("among kanji") << QStringLiteral("予定€表") << (hex("975C92E8") + "?" + hex("955C"));
    }
    void encodeUnmappable()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, written);
        QCOMPARE(cp932::encode(text), written);
    }

    void everySingleByte()
    {
        for (unsigned b = 0; b < 0x100; ++b) {
            const QByteArray byte(1, char(b));
            const QString text = cp932::decode(byte);
            QCOMPARE(text.size(), 1);
            if (isLead(b)) {
                QCOMPARE(text, ch(0xFFFD));
                continue;
            }
            QVERIFY2(text != ch(0xFFFD), qPrintable(QString::number(b, 16)));
            QCOMPARE(cp932::encode(text), byte);
        }
    }

    // Every pair with a lead byte: an assigned code decodes to one character
    // that is written back as the same code, or, for a twin, as a preferred code
    // of the same character; anything else is a bad lead byte and its follower.
    void everyDoubleByteCode()
    {
        int assigned = 0;
        for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
            if (!isLead(lead))
                continue;
            for (unsigned trail = 0; trail < 0x100; ++trail) {
                const char raw[2] = {char(lead), char(trail)};
                const QByteArray code(raw, 2);
                const QString text = cp932::decode(code);
                const QByteArray name = code.toHex();
                if (text.size() == 2) {
                    QVERIFY2(text[0] == QChar(0xFFFD), name.constData());
                    QCOMPARE(text.mid(1), cp932::decode(code.mid(1)));
                    continue;
                }
                QVERIFY2(trail >= 0x40 && trail <= 0xFC && trail != 0x7F, name.constData());
                QCOMPARE(text.size(), 1);
                QVERIFY2(text[0] != QChar(0xFFFD), name.constData());
                ++assigned;
                const QByteArray written = cp932::encode(text);
                if (written == code)
                    continue;
                QVERIFY2(written.size() == 2, name.constData());
                QVERIFY2(cp932::decode(written) == text, name.constData());
                QVERIFY2(area(written) < area(code), (name + " written as " + written.toHex()).constData());
            }
        }
        // JIS X 0208 6879, NEC row 13 83, NEC-selected 374, IBM 388, user-defined 1880.
        QCOMPARE(assigned, 9604);
    }
};

PORUKA_TEST_MAIN(TestCp932)
#include "test_cp932.moc"
