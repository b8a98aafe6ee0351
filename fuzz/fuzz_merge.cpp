// The merge of two copies' changes on arbitrary histories: a list both copies
// started from, this copy's edits (added, removed, changed records, also edits
// of records it added itself) and the other copy's version made with edits of
// its own. applyEdits must give exactly the records an oracle expects: every
// record either copy added or changed is there, in its last version only, and
// every one either removed is gone, unless the other copy changed it (a change
// is never lost).

#include "fuzz_lines.h"

#include "core/list_edits.h"

#include <QMap>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace {

ScheduleItem item(const QByteArray& content)
{
    ScheduleItem s;
    s.date = Field("2026/12/24");
    s.content = Field::fromBytes(content);
    return s;
}

QByteArray bytesOf(const QByteArray& content) { return recordBytes(item(content)); }

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) { }
    unsigned next() { return at_ < size_ ? data_[at_++] : 0; }
    bool more() const { return at_ < size_; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

// One copy's history: what became of each record of the common start
// (nothing: removed; else its last version), and what it added.
struct History {
    std::map<QByteArray, std::optional<QByteArray>> fate;
    std::vector<QByteArray> added;   // last versions of its own additions (still there)
    std::vector<ListEdit> edits;
    std::vector<QByteArray> list;   // its list now
};

History play(Input& in, const std::vector<QByteArray>& base, char who)
{
    History h;
    h.list = base;
    for (const QByteArray& b : base)
        h.fate[b] = b;
    std::map<QByteArray, QByteArray> origin;   // a version -> the record it came from (start or own addition)
    for (const QByteArray& b : base)
        origin[b] = b;
    const int steps = int(in.next() % 8);
    for (int k = 0; k < steps; ++k) {
        const unsigned op = in.next() % 3;
        const QByteArray fresh = QByteArray(1, who) + QByteArray::number(k);
        if (op == 0 || h.list.empty()) {
            h.list.push_back(fresh);
            h.edits.push_back({ListEdit::Kind::Add, {}, bytesOf(fresh)});
            origin[fresh] = fresh;
            h.added.push_back(fresh);
            continue;
        }
        const std::size_t at = in.next() % h.list.size();
        const QByteArray old = h.list[at];
        const QByteArray from = origin[old];
        const bool own = !h.fate.count(from);
        if (op == 1) {
            h.list.erase(h.list.begin() + std::ptrdiff_t(at));
            h.edits.push_back({ListEdit::Kind::Remove, bytesOf(old), {}});
            if (own)
                std::erase(h.added, old);
            else
                h.fate[from].reset();
        } else {
            h.list[at] = fresh;
            h.edits.push_back({ListEdit::Kind::Replace, bytesOf(old), bytesOf(fresh)});
            origin[fresh] = from;
            if (own)
                std::replace(h.added.begin(), h.added.end(), old, fresh);
            else
                h.fate[from] = fresh;
        }
    }
    return h;
}

}   // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Input in(data, size);
    std::vector<QByteArray> base;
    const int n = int(in.next() % 8);
    for (int i = 0; i < n; ++i)
        base.push_back("b" + QByteArray::number(i));
    const History mine = play(in, base, 'm');
    const History theirs = play(in, base, 't');

    ItemList<ScheduleItem> file;
    for (const QByteArray& c : theirs.list)
        file.append(item(c));
    (void)applyEdits(file, mine.edits);   // the oracle below checks the outcome

    QMap<QByteArray, int> expected;
    for (const QByteArray& b : base) {
        const std::optional<QByteArray>& m = mine.fate.at(b);
        const std::optional<QByteArray>& t = theirs.fate.at(b);
        const bool mineChanged = m && *m != b;
        const bool theirsChanged = t && *t != b;
        if (mineChanged)
            ++expected[*m];
        if (theirsChanged)
            ++expected[*t];
        // Untouched by one and kept by the other: there as the other left it.
        if (!mineChanged && !theirsChanged && m && t)
            ++expected[b];
    }
    for (const QByteArray& a : mine.added)
        ++expected[a];
    for (const QByteArray& a : theirs.added)
        ++expected[a];

    QMap<QByteArray, int> merged;
    for (const ScheduleItem& s : file.items())
        ++merged[s.content.bytes()];
    FUZZ_CHECK(merged == expected);
    return 0;
}
