#include "store/list_file.h"

#include "store/cp932.h"
#include "store/memo.h"
#include "store/prefault.h"

#include <QFileInfo>

#include <cstring>

namespace {

// Writing a file is two passes over the fields: the exact size first, then the
// bytes into one buffer of that size, so saving allocates nothing per line.
char* putLine(char* out, QByteArrayView line)
{
    if (!line.isEmpty()) {
        std::memcpy(out, line.data(), std::size_t(line.size()));
        out += line.size();
    }
    *out++ = '\r';
    *out++ = '\n';
    return out;
}

template <class T> qsizetype recordsSize(const ItemList<T>& list)
{
    constexpr auto& layout = RecordLayout<T>::lines;
    qsizetype size = 0;
    for (const T& item : list.items())
        for (auto field : layout)
            size += (item.*field).view().size() + 2;
    for (const QByteArray& l : list.overflow)
        size += l.size() + 2;
    return size;
}

template <class T> char* putRecords(char* out, const ItemList<T>& list)
{
    constexpr auto& layout = RecordLayout<T>::lines;
    for (const T& item : list.items())
        for (auto field : layout)
            out = putLine(out, (item.*field).view());
    for (const QByteArray& l : list.overflow)
        out = putLine(out, l);
    return out;
}

// Header line (when given) then the records, CR LF after each line.
template <class T> QByteArray writeRecords(const QByteArray* header, const ItemList<T>& list)
{
    const qsizetype size = (header ? header->size() + 2 : 0) + recordsSize(list);
    QByteArray out(size, Qt::Uninitialized);
    char* p = out.data();
    if (header)
        p = putLine(p, *header);
    p = putRecords(p, list);
    Q_ASSERT(p == out.constData() + size);
    return out;
}

template <class T> void maskSecrets(ItemList<T>& list)
{
    static const Field mask(QStringLiteral("★★　ヒ・ミ・ツ　★★"));
    for (T& item : list.items()) {
        if (isSecret(item)) {
            item.content = mask;
            item.memoNo = Field::number(0);
        }
    }
}

template <class T>
FileStatus loadInto(const QString& directory, ListKind kind, QByteArray& header, ItemList<T>& list,
                    Fingerprint* seen = nullptr)
{
    const QString path = resolvePath(directory, listFileName(kind));
    const ReadResult r = readFile(path, Locking::Exclusive);
    if (!r.ok())
        return r.status;
    parseList(r.bytes, header, list);
    if (seen)
        *seen = r.fingerprint;
    return r.status;
}

}   // namespace

QString listFileName(ListKind kind) { return kind == ListKind::Todo ? kTodoFileName : kScheduleFileName; }

QByteArray newListHeader()
{
    return cp932::encode(QStringLiteral("@ぽるか VER.2.10 このファイルはぽるかのデータです。編集しないで下さい。"));
}

QByteArray joinLines(const QByteArrayList& lines)
{
    qsizetype size = 0;
    for (const QByteArray& l : lines)
        size += l.size() + 2;
    QByteArray out(size, Qt::Uninitialized);
    char* p = out.data();
    for (const QByteArray& l : lines)
        p = putLine(p, l);
    return out;
}

template <class T> void parseRecordsFrom(LineCursor& lines, ItemList<T>& out)
{
    constexpr auto& layout = RecordLayout<T>::lines;
    constexpr auto perRecord = qsizetype(layout.size());
    out.clear();
    // A first pass over the line ends sizes the items and the block for the
    // longer values exactly, so that the second allocates nothing per line.
    qsizetype lineCount = 0;
    std::size_t longBytes = 0;
    std::size_t longCount = 0;
    for (LineCursor scan = lines; !scan.atEnd() && lineCount < ItemList<T>::kCapacity * perRecord; ++lineCount) {
        const QByteArrayView line = scan.next();
        if (line.size() > qsizetype(Field::kInline)) {
            longBytes += std::size_t(line.size());
            ++longCount;
        }
    }
    const qsizetype records = (lineCount + perRecord - 1) / perRecord;
    // A little room beyond: an item or two added to a full list (registration,
    // a merge) must not move all of them in memory.
    out.items().reserve(std::size_t(records + 64));
    prefault(out.items().data(), std::size_t(records) * sizeof(T));
    FieldBlock block(longBytes, longCount);
    while (!lines.atEnd() && !out.isFull()) {
        T& item = out.items().emplace_back();
        for (auto field : layout) {
            if (lines.atEnd())
                break;
            block.set(item.*field, lines.next());
        }
    }
    while (!lines.atEnd())
        out.overflow.append(lines.next().toByteArray());
}

template <class T> void parseList(const QByteArray& bytes, QByteArray& header, ItemList<T>& out)
{
    LineCursor lines(bytes);
    header = lines.atEnd() ? newListHeader() : lines.next().toByteArray();
    parseRecordsFrom(lines, out);
    out.noLineEnds = out.isEmpty() && !bytes.contains('\n') && bytes.contains('\r');
}

template <class T> QByteArray serializeList(const QByteArray& header, const ItemList<T>& list)
{
    return writeRecords(&header, list);
}

template <class T> QByteArray serializeRecords(const ItemList<T>& list) { return writeRecords(nullptr, list); }

template <class T> void parseRecords(const QByteArray& bytes, ItemList<T>& out)
{
    LineCursor lines(bytes);
    parseRecordsFrom(lines, out);
    out.noLineEnds = out.isEmpty() && !bytes.contains('\n') && bytes.contains('\r');
}

FileStatus loadOwnList(const QString& directory, ListKind kind, ItemStore& store)
{
    if (kind == ListKind::Todo)
        return loadInto(directory, kind, store.todoHeader, store.todos);
    return loadInto(directory, kind, store.scheduleHeader, store.schedules);
}

FileStatus loadMemberList(const QString& directory, ListKind kind, ItemStore& store, Fingerprint* seen)
{
    FileStatus s;
    if (kind == ListKind::Todo) {
        ItemList<TodoItem> list;
        s = loadInto(directory, kind, store.memberTodoHeader, list, seen);
        if (!s.ok())
            return s;
        maskSecrets(list);
        store.memberTodos = std::move(list);
    } else {
        ItemList<ScheduleItem> list;
        s = loadInto(directory, kind, store.memberScheduleHeader, list, seen);
        if (!s.ok())
            return s;
        maskSecrets(list);
        store.memberSchedules = std::move(list);
    }
    return s;
}

FileStatus saveList(const QString& ownDirectory, ListKind kind, const ItemStore& store)
{
    const QString path = resolvePath(ownDirectory, listFileName(kind));
    const QByteArray bytes = kind == ListKind::Todo ? serializeList(store.todoHeader, store.todos)
                                                    : serializeList(store.scheduleHeader, store.schedules);
    return writeFile(path, bytes, Locking::Exclusive);
}

FileStatus createList(const QString& directory, ListKind kind)
{
    if (fileExistsIgnoringCase(directory, listFileName(kind)))
        return FileStatus::success();
    return writeFile(directory + listFileName(kind), joinLines({newListHeader()}), Locking::Exclusive);
}

FileStatus createArchive(const QString& path)
{
    if (QFileInfo::exists(path))
        return FileStatus::success();
    return writeFile(path, QByteArray(), Locking::Exclusive);
}

template <class T> QByteArray archiveAppendBytes(const T& item, int missingLines)
{
    ItemList<T> one;
    one.append(item);
    QByteArray out;
    for (int i = 0; i < missingLines; ++i)
        out += "\r\n";
    return out + writeRecords(nullptr, one);
}

template <class T> FileStatus appendDone(const QString& path, const T& item)
{
    return appendToFile(path, archiveAppendBytes(item, 0));
}

template <class T> FileStatus loadDone(const QString& path, ItemList<T>& out)
{
    const ReadResult r = readFile(path, Locking::Exclusive);
    if (!r.ok())
        return r.status;
    parseRecords(r.bytes, out);
    return r.status;
}

RecordCount countDoneRecords(const QString& path)
{
    const ReadResult r = readFile(path, Locking::Exclusive);
    RecordCount count{r.status, 0};
    if (!r.ok())
        return count;
    qsizetype lines = 0;
    for (LineCursor cursor(r.bytes); !cursor.atEnd(); cursor.next())
        ++lines;
    constexpr qsizetype width = qsizetype(RecordLayout<DoneTodoItem>::lines.size());
    count.records = (lines + width - 1) / width;
    count.missingLines = int((width - lines % width) % width);
    return count;
}

#define PORUKA_LIST_TEMPLATES(T)                                                                                       \
    template QByteArray serializeList<T>(const QByteArray&, const ItemList<T>&);                                       \
    template void parseList<T>(const QByteArray&, QByteArray&, ItemList<T>&);
PORUKA_LIST_TEMPLATES(TodoItem)
PORUKA_LIST_TEMPLATES(ScheduleItem)
#define PORUKA_DONE_TEMPLATES(T)                                                                                       \
    template QByteArray serializeRecords<T>(const ItemList<T>&);                                                       \
    template void parseRecords<T>(const QByteArray&, ItemList<T>&);                                                    \
    template FileStatus appendDone<T>(const QString&, const T&);                                                       \
    template QByteArray archiveAppendBytes<T>(const T&, int);                                                          \
    template FileStatus loadDone<T>(const QString&, ItemList<T>&);
PORUKA_DONE_TEMPLATES(DoneTodoItem)
PORUKA_DONE_TEMPLATES(DoneScheduleItem)
