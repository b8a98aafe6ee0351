#include "core/list_sort.h"

#include <QDate>

namespace {

// Reads minDigits..maxDigits ASCII digits at p. Works on the raw bytes of a field
// as well as on decoded text: a code page 932 trail byte is never a digit, '/'
// or ':', so bytes that parse here are plain ASCII.
template <class Ch> bool readNumber(const Ch*& p, const Ch* end, int minDigits, int maxDigits, int& value)
{
    int digits = 0;
    value = 0;
    while (p < end && digits < maxDigits && *p >= Ch('0') && *p <= Ch('9')) {
        value = value * 10 + int(*p - Ch('0'));
        ++p;
        ++digits;
    }
    return digits >= minDigits;
}

template <class Ch> bool expect(const Ch*& p, const Ch* end, char c)
{
    if (p >= end || *p != Ch(c))
        return false;
    ++p;
    return true;
}

struct Ymd {
    int y, m, d;
};

template <class Ch> bool parseDate(const Ch* p, const Ch* end, Ymd& out)
{
    return readNumber(p, end, 4, 4, out.y) && expect(p, end, '/') && readNumber(p, end, 1, 2, out.m) &&
        expect(p, end, '/') && readNumber(p, end, 1, 2, out.d) && p == end && QDate::isValid(out.y, out.m, out.d);
}

struct Hm {
    int h, m;
};

template <class Ch> bool parseTime(const Ch* p, const Ch* end, Hm& out)
{
    return readNumber(p, end, 1, 2, out.h) && expect(p, end, ':') && readNumber(p, end, 1, 2, out.m) && p == end &&
        out.h < 24 && out.m < 60;
}

void appendDigits(QString& out, int value, int width)
{
    char16_t buf[4];
    for (int i = width - 1; i >= 0; --i) {
        buf[i] = char16_t(u'0' + value % 10);
        value /= 10;
    }
    out.append(reinterpret_cast<const QChar*>(buf), width);
}

void appendDate(QString& out, const Ymd& d)
{
    appendDigits(out, d.y, 4);
    out += QLatin1Char('/');
    appendDigits(out, d.m, 2);
    out += QLatin1Char('/');
    appendDigits(out, d.d, 2);
}

void appendTime(QString& out, const Hm& t)
{
    appendDigits(out, t.h, 2);
    out += QLatin1Char(':');
    appendDigits(out, t.m, 2);
}

// D and T straight from a field's bytes: what parses is ASCII, so only a value
// that is no date (or time) needs decoding.
void appendDateKey(QString& out, const Field& f)
{
    const QByteArrayView b = f.view();
    if (Ymd d; parseDate(b.cbegin(), b.cend(), d))
        appendDate(out, d);
    else
        out += f.text();
}

void appendTimeKey(QString& out, const Field& f)
{
    const QByteArrayView b = f.view();
    if (Hm t; parseTime(b.cbegin(), b.cend(), t))
        appendTime(out, t);
    else
        out += f.text();
}

// person + D(date) [+ T(time)], or D(date) [+ T(time)].
QString dateTimeKey(const Field* person, const Field& date, const Field* time)
{
    QString key;
    key.reserve((person ? person->view().size() : 0) + date.view().size() + (time ? time->view().size() : 0));
    if (person)
        key += person->text();
    appendDateKey(key, date);
    if (time)
        appendTimeKey(key, *time);
    return key;
}

// The important flag is nearly always empty or "JYUYO": those share one text
// instead of each item decoding its own.
QString importantKey(const Field& important)
{
    static const QString kMarked = QString::fromLatin1(sentinel::kImportant);
    if (important.isEmpty())
        return {};
    if (important == sentinel::kImportant)
        return kMarked;
    return important.text();
}

struct Entry {
    QString key;
    int from;
};

template <bool Descending> bool mustFollow(const QString& a, const QString& t)
{
    if constexpr (Descending)
        return a < t;
    else
        return a > t;
}

// Positions are 0-based here: i = g .. n-1 is the pass's g+1 .. n.
template <bool Descending> void runPasses(std::vector<Entry>& a, const YieldFn& yield)
{
    const int n = int(a.size());
    for (int g = n; g > 1;) {
        g /= 2;
        for (int i = g; i < n; ++i) {
            Entry t = std::move(a[std::size_t(i)]);
            int j = i - g;
            while (j >= 0 && mustFollow<Descending>(a[std::size_t(j)].key, t.key)) {
                a[std::size_t(j + g)] = std::move(a[std::size_t(j)]);
                j -= g;
            }
            a[std::size_t(j + g)] = std::move(t);
            if (yield)
                yield();
        }
    }
}

}   // namespace

QString dateKey(QStringView text)
{
    Ymd d;
    if (!parseDate(text.utf16(), text.utf16() + text.size(), d))
        return text.toString();
    QString out;
    out.reserve(10);
    appendDate(out, d);
    return out;
}

QString timeKey(QStringView text)
{
    Hm t;
    if (!parseTime(text.utf16(), text.utf16() + text.size(), t))
        return text.toString();
    QString out;
    out.reserve(5);
    appendTime(out, t);
    return out;
}

QString sortKey(const OpenItem& item, SortOrder order)
{
    switch (order) {
    case SortOrder::DateTime:
        return dateTimeKey(nullptr, item.date, &item.time);
    case SortOrder::Name:
        return dateTimeKey(&item.person, item.date, &item.time);
    case SortOrder::Important:
        break;
    }
    return importantKey(item.important);
}

QString sortKey(const DoneItem& item, SortOrder order)
{
    switch (order) {
    case SortOrder::DateTime:
        return dateTimeKey(nullptr, item.doneDate, nullptr);
    case SortOrder::Name:
        return dateTimeKey(&item.person, item.doneDate, nullptr);
    case SortOrder::Important:
        break;
    }
    return importantKey(item.important);
}

std::vector<int> shellSortOrder(std::vector<QString> keys, bool descending, const YieldFn& yield)
{
    std::vector<Entry> entries;
    entries.reserve(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i)
        entries.push_back({std::move(keys[i]), int(i)});
    if (descending)
        runPasses<true>(entries, yield);
    else
        runPasses<false>(entries, yield);
    std::vector<int> order;
    order.reserve(entries.size());
    for (const Entry& e : entries)
        order.push_back(e.from);
    return order;
}
