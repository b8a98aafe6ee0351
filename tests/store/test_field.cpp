// Field keeps a value line's bytes exactly, whatever their length or content:
// NUL bytes, bytes that are no code page 932, values on either side of the
// length that still fits without a heap block; values read together from one
// file share a block that outlives the list they were read into.

#include "common/test_main.h"

#include "store/cp932.h"
#include "store/field.h"
#include "store/list_file.h"

#include <memory>

class TestField : public QObject {
    Q_OBJECT
private slots:
    void keepsBytes_data();
    void keepsBytes();
    void equality_data();
    void equality();
    void number_data();
    void number();
    void textNeverHoldsALineBreak_data();
    void textNeverHoldsALineBreak();
    void setFromItsOwnBytes_data();
    void setFromItsOwnBytes();
    void valuesReadTogetherOutliveTheirList();
    void blockTooSmallStillKeepsEveryValue();
};

void TestField::keepsBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("empty") << QByteArray();
    QTest::newRow("date") << QByteArray("2026/12/10");
    QTest::newRow("12 bytes") << QByteArray("123456789012");
    QTest::newRow("13 bytes") << QByteArray("1234567890123");
    QTest::newRow("15 bytes") << QByteArray("123456789012345");
    QTest::newRow("16 bytes") << QByteArray("1234567890123456");
    QTest::newRow("NUL inside and at the end") << QByteArray("a\0b\0", 4);
    QTest::newRow("NUL only") << QByteArray("\0", 1);
    QTest::newRow("invalid cp932") << QByteArray("\x81\x7F\xFF\x80\xA0", 5);
    QTest::newRow("long Japanese") << cp932::encode(
        QStringLiteral("株式会社山田製作所　見積書を作成して課長に提出する"));
}

void TestField::keepsBytes()
{
    QFETCH(QByteArray, bytes);

    const Field f = Field::fromBytes(bytes);
    QCOMPARE(f.bytes(), bytes);
    QCOMPARE(f.bytes().size(), bytes.size());
    QVERIFY(f.view() == QByteArrayView(bytes));
    QCOMPARE(f.isEmpty(), bytes.isEmpty());
    QCOMPARE(f.text(), cp932::decode(bytes));

    // Built from a pointer into a larger buffer, copied, moved: the same bytes.
    const QByteArray buffer = "<<" + bytes + ">>";
    const Field fromBuffer = Field::fromBytes(buffer.constData() + 2, bytes.size());
    QVERIFY(fromBuffer == f);
    Field copy = fromBuffer;
    const Field moved = std::move(copy);
    QCOMPARE(moved.bytes(), bytes);
}

void TestField::equality_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("other");
    QTest::addColumn<bool>("equal");

    QTest::newRow("same") << QByteArray("SECRET") << QByteArray("SECRET") << true;
    QTest::newRow("both empty") << QByteArray() << QByteArray("") << true;
    QTest::newRow("case differs") << QByteArray("secret") << QByteArray("SECRET") << false;
    QTest::newRow("prefix") << QByteArray("SECRE") << QByteArray("SECRET") << false;
    QTest::newRow("trailing NUL") << QByteArray("SECRET\0", 7) << QByteArray("SECRET") << false;
    QTest::newRow("differ after NUL") << QByteArray("a\0b", 3) << QByteArray("a\0c", 3) << false;
}

void TestField::equality()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, other);
    QFETCH(bool, equal);

    const Field f = Field::fromBytes(bytes);
    QCOMPARE(f == Field::fromBytes(other), equal);
    QCOMPARE(Field::fromBytes(other) == f, equal);
    // Against a C string only the part before its NUL is the other value.
    if (!other.contains('\0'))
        QCOMPARE(f == other.constData(), equal);
}

void TestField::number_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("isNumber");
    QTest::addColumn<qlonglong>("value");

    QTest::newRow("written form") << QByteArray(" 42 ") << true << 42LL;
    QTest::newRow("signs") << QByteArray(" -7 ") << true << -7LL;
    QTest::newRow("18 digits") << QByteArray("999999999999999999") << true << 999999999999999999LL;
    QTest::newRow("19 digits") << QByteArray("1000000000000000000") << false << 0LL;
    QTest::newRow("NUL after the digits") << QByteArray(" 12\0", 4) << false << 0LL;
    QTest::newRow("NUL before the digits") << QByteArray("\0 12", 4) << false << 0LL;
}

void TestField::number()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, isNumber);
    QFETCH(qlonglong, value);

    const std::optional<long long> n = Field::fromBytes(bytes).toNumber();
    QCOMPARE(n.has_value(), isNumber);
    if (isNumber) {
        QCOMPARE(*n, value);
        // The sign place: a space before a number that is not negative, the
        // minus sign itself before one that is.
        const QByteArray written = value < 0 ? QByteArray::number(value) + ' ' : ' ' + QByteArray::number(value) + ' ';
        QCOMPARE(Field::number(value).bytes(), written);
        QCOMPARE(Field::number(value).toNumber(), value);
    }
}

// A value pasted with a line break would shift every later line of its record.
void TestField::textNeverHoldsALineBreak_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("LF") << QStringLiteral("会議\n資料") << QStringLiteral("会議 資料");
    QTest::newRow("CR LF") << QStringLiteral("a\r\nb") << QStringLiteral("a b");
    QTest::newRow("CR") << QStringLiteral("a\rb") << QStringLiteral("a b");
    QTest::newRow("trailing") << QStringLiteral("山田\n") << QStringLiteral("山田 ");
    QTest::newRow("none") << QStringLiteral("山田") << QStringLiteral("山田");
}

void TestField::textNeverHoldsALineBreak()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    const Field f(typed);
    QCOMPARE(f.text(), stored);
    QVERIFY(!f.bytes().contains('\n') && !f.bytes().contains('\r'));

    // Written into a record and read back, the record keeps its shape.
    ItemList<ScheduleItem> list;
    ScheduleItem item;
    item.content = f;
    item.person = Field(QStringLiteral("鈴木"));
    list.append(item);
    list.append(item);
    QByteArray header;
    ItemList<ScheduleItem> back;
    parseList(serializeList(newListHeader(), list), header, back);
    QCOMPARE(back.count(), 2);
    QCOMPARE(back[2].person.text(), QStringLiteral("鈴木"));
}

void TestField::setFromItsOwnBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("from");

    QTest::newRow("short, whole") << QByteArray("2026/12/10") << 0;
    QTest::newRow("long, whole") << QByteArray("a content line of some length") << 0;
    QTest::newRow("long to short tail") << QByteArray("a content line of some length") << 22;
    QTest::newRow("long to long tail") << QByteArray("a content line of some length") << 2;
}

void TestField::setFromItsOwnBytes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, from);

    Field f = Field::fromBytes(bytes);
    f.setBytes(f.view().sliced(from));
    QCOMPARE(f.bytes(), bytes.sliced(from));
    Field& same = f;
    f = same;
    QCOMPARE(f.bytes(), bytes.sliced(from));
}

namespace {

QByteArray longContent(int i) { return cp932::encode(QStringLiteral("打ち合わせの資料をまとめる その%1").arg(i)); }

}   // namespace

void TestField::valuesReadTogetherOutliveTheirList()
{
    // The long values of a file read share one block; whatever is taken from
    // the list (a copy, a moved item, a field set anew) must stay whole after
    // the list is gone or read again. The sanitizer pass sees any slip.
    ItemList<TodoItem> written;
    for (int i = 0; i < 50; ++i) {
        TodoItem item;
        item.date = Field("2026/12/11");
        item.content = Field::fromBytes(longContent(i));
        item.person = Field(QStringLiteral("山田太郎左衛門之助"));
        written.append(item);
    }
    const QByteArray file = serializeList(newListHeader(), written);

    QByteArray header;
    auto list = std::make_unique<ItemList<TodoItem>>();
    parseList(file, header, *list);
    QCOMPARE(list->count(), 50);
    const TodoItem copied = (*list)[3];
    const TodoItem moved = std::move((*list)[7]);
    Field content = (*list)[9].content;
    (*list)[11].content = Field("short now");
    (*list)[12].content.setBytes(longContent(999));
    list->removeAt(1);

    parseList(serializeList(newListHeader(), written), header, *list);   // read again
    QCOMPARE((*list)[8].content.bytes(), longContent(7));   // items count from 1
    list.reset();

    QCOMPARE(copied.content.bytes(), longContent(2));
    QCOMPARE(moved.content.bytes(), longContent(6));
    QCOMPARE(moved.person.text(), QStringLiteral("山田太郎左衛門之助"));
    QCOMPARE(content.bytes(), longContent(8));
}

void TestField::blockTooSmallStillKeepsEveryValue()
{
    std::vector<Field> fields(4);
    {
        FieldBlock block(40, 1);   // room for one of the three long values
        block.set(fields[0], longContent(1));
        block.set(fields[1], longContent(2));
        block.set(fields[2], "short");
        block.set(fields[3], longContent(3));
    }
    fields.erase(fields.begin());
    QCOMPARE(fields[0].bytes(), longContent(2));
    QCOMPARE(fields[1].bytes(), QByteArray("short"));
    QCOMPARE(fields[2].bytes(), longContent(3));
}

PORUKA_TEST_MAIN(TestField)
#include "test_field.moc"
