#include "maintenance/search.h"

#include "store/cp932.h"
#include "store/list_file.h"
#include "store/records.h"

namespace {

// Where the searched fields are in a record of each kind (0-based lines).
struct Layout {
    int width;
    int date, time, content, person, memo;   // time -1: none shown
};

Layout layoutOf(SearchTarget target)
{
    switch (target) {
    case SearchTarget::Todo:
        return {11, 1, 2, 3, 4, 5};
    case SearchTarget::Schedule:
        return {10, 1, 2, 3, 4, 5};
    case SearchTarget::DoneTodo:
    case SearchTarget::DoneSchedule:
        break;
    }
    return {10, 0, -1, 4, 5, 6};
}

QString shownDate(QByteArrayView date)
{
    if (date == QByteArrayView(sentinel::kToday))
        return kTodayShown;
    if (date == QByteArrayView(sentinel::kNoDeadline))
        return kNoDeadlineShown;
    return cp932::decode(date.data(), date.size());
}

QString shownTime(QByteArrayView time)
{
    if (time == QByteArrayView(sentinel::kTodayTime) || time == QByteArrayView(sentinel::kNoTime))
        return {};
    return cp932::decode(time.data(), time.size());
}

}   // namespace

QString searchFileName(SearchTarget target)
{
    switch (target) {
    case SearchTarget::Todo:
        return kTodoFileName;
    case SearchTarget::Schedule:
        return kScheduleFileName;
    case SearchTarget::DoneTodo:
        return kDoneTodoFileName;
    case SearchTarget::DoneSchedule:
        break;
    }
    return kDoneScheduleFileName;
}

bool isArchive(SearchTarget target) { return target == SearchTarget::DoneTodo || target == SearchTarget::DoneSchedule; }

SearchResult searchRecords(const QByteArray& file, SearchTarget target, const QString& keyword,
                           const std::function<bool()>& keepGoing)
{
    constexpr int kYieldEvery = 256;
    const Layout layout = layoutOf(target);
    SearchResult result;
    LineCursor lines(file);
    if (!isArchive(target) && !lines.atEnd())
        lines.next();   // the header line
    std::vector<QByteArrayView> record(std::size_t(layout.width));
    for (int n = 1; !lines.atEnd(); ++n) {
        // A record is read whole; a last one cut short has empty fields.
        for (QByteArrayView& field : record)
            field = lines.atEnd() ? QByteArrayView() : lines.next();
        if (int(result.hits.size()) < kMaxHits) {
            const QByteArrayView content = record[std::size_t(layout.content)];
            const QString text = cp932::decode(content.data(), content.size());
            if (!text.isEmpty() && text.contains(keyword)) {
                SearchHit hit;
                hit.date = shownDate(record[std::size_t(layout.date)]);
                if (layout.time >= 0)
                    hit.time = shownTime(record[std::size_t(layout.time)]);
                hit.content = text;
                const QByteArrayView person = record[std::size_t(layout.person)];
                hit.person = cp932::decode(person.data(), person.size());
                hit.memoNo = memoNumber(Field::fromBytes(record[std::size_t(layout.memo)]));
                result.hits.push_back(std::move(hit));
                result.cut = int(result.hits.size()) == kMaxHits;
            }
        }
        if (keepGoing && n % kYieldEvery == 0 && !keepGoing()) {
            result.stopped = true;
            break;
        }
    }
    return result;
}
