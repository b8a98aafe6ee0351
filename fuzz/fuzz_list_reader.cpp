// parseList / serializeList on arbitrary bytes, as ToDo and as schedule list:
// nothing read is lost, and a second round changes nothing.

#include "fuzz_lines.h"

#include "store/list_file.h"

#include <cstddef>
#include <cstdint>

namespace {

template <class T> bool sameItems(const ItemList<T>& a, const ItemList<T>& b)
{
    if (a.count() != b.count() || a.overflow != b.overflow)
        return false;
    for (int i = 1; i <= a.count(); ++i) {
        for (auto field : RecordLayout<T>::lines)
            if (!(a[i].*field == b[i].*field))
                return false;
        if (rowCells(a[i]) != rowCells(b[i]))
            return false;
    }
    return true;
}

template <class T> void roundTrip(const QByteArray& in)
{
    constexpr qsizetype width = qsizetype(RecordLayout<T>::lines.size());

    QByteArray header;
    ItemList<T> list;
    parseList(in, header, list);
    FUZZ_CHECK(list.count() <= ItemList<T>::kCapacity);
    FUZZ_CHECK(list.overflow.isEmpty() || list.isFull());

    const QByteArray out = serializeList(header, list);
    FUZZ_CHECK(fuzz::crlfOnly(out));

    // The written lines are the lines read, plus empty fields for a record cut short.
    const QByteArrayList inLines = fuzz::lines(in);
    const QByteArrayList outLines = fuzz::lines(out);
    if (inLines.isEmpty()) {
        FUZZ_CHECK(outLines == QByteArrayList{newListHeader()});
    } else {
        FUZZ_CHECK(outLines.size() >= inLines.size() && outLines.size() - inLines.size() < width);
        FUZZ_CHECK(outLines.mid(0, inLines.size()) == inLines);
        for (qsizetype i = inLines.size(); i < outLines.size(); ++i)
            FUZZ_CHECK(outLines[i].isEmpty());
        // A file already in the written form comes back byte for byte.
        if (fuzz::crlfOnly(in) && outLines.size() == inLines.size())
            FUZZ_CHECK(out == in);
    }

    QByteArray header2;
    ItemList<T> list2;
    parseList(out, header2, list2);
    FUZZ_CHECK(header2 == header);
    FUZZ_CHECK(sameItems(list, list2));
    FUZZ_CHECK(serializeList(header2, list2) == out);
}

}   // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray in(reinterpret_cast<const char*>(data), qsizetype(size));
    roundTrip<TodoItem>(in);
    roundTrip<ScheduleItem>(in);
    return 0;
}
