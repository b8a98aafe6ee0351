#pragma once
// The list files todo.dat and sche.dat (a header line, then whole records) and
// the archives todo_kan.dat and sche_kan.dat (records only, appended to).

#include "store/file_access.h"
#include "store/item_store.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QByteArrayView>
#include <cstring>

enum class ListKind { Todo, Schedule };

inline const QString kTodoFileName = QStringLiteral("todo.dat");
inline const QString kScheduleFileName = QStringLiteral("SCHE.DAT");
inline const QString kDoneTodoFileName = QStringLiteral("todo_kan.dat");
inline const QString kDoneScheduleFileName = QStringLiteral("sche_kan.dat");

QString listFileName(ListKind kind);
// The header line a new list file gets.
QByteArray newListHeader();

// Each line followed by CR LF, in one buffer.
QByteArray joinLines(const QByteArrayList& lines);

// Walks the lines of a buffer without building a list first (a list file of
// 30000 records has over 300000 lines): CR LF or a bare LF end a line; a last
// line without an end still counts; a buffer that ends with a line end has no
// empty line after it. The views point into the buffer, which must outlive them.
class LineCursor {
public:
    explicit LineCursor(QByteArrayView bytes) : p_(bytes.data()), end_(p_ + bytes.size()) { }
    bool atEnd() const { return p_ >= end_; }
    QByteArrayView next()
    {
        const char* nl = static_cast<const char*>(std::memchr(p_, '\n', std::size_t(end_ - p_)));
        const char* stop = nl ? nl : end_;
        const char* lineEnd = nl && stop > p_ && stop[-1] == '\r' ? stop - 1 : stop;
        const QByteArrayView line(p_, lineEnd - p_);
        p_ = nl ? nl + 1 : end_;
        return line;
    }

private:
    const char* p_;
    const char* end_;
};

// A whole list file: header then records. An empty file gets the standard header.
// A last record cut short gets empty fields; records past the list's capacity go
// to `overflow` untouched and are written back after the items.
template <class T> QByteArray serializeList(const QByteArray& header, const ItemList<T>& list);
template <class T> void parseList(const QByteArray& bytes, QByteArray& header, ItemList<T>& out);
// An archive: records only, no header.
template <class T> QByteArray serializeRecords(const ItemList<T>& list);
template <class T> void parseRecords(const QByteArray& bytes, ItemList<T>& out);

// Loads the list file of `kind` in `directory` into the own lists of the store.
FileStatus loadOwnList(const QString& directory, ListKind kind, ItemStore& store);
// Loads a colleague's list into the member lists, masking secret items;
// `seen`, when given, becomes the version read.
FileStatus loadMemberList(const QString& directory, ListKind kind, ItemStore& store, Fingerprint* seen = nullptr);
// Rewrites the own list file of `kind` from the store.
FileStatus saveList(const QString& ownDirectory, ListKind kind, const ItemStore& store);

// Creates the list file with the header line alone when it does not exist.
FileStatus createList(const QString& directory, ListKind kind);

// Archives.
inline const QString kDoneTodoFullMessage =
    QStringLiteral("完了したToDoﾃﾞｰﾀが30000件を越えました。\ntodo_kan.datﾌｧｲﾙを整理して下さい。");
inline const QString kDoneScheduleFullMessage =
    QStringLiteral("完了したScheduleﾃﾞｰﾀが30000件を越えました。\nsche_kan.datﾌｧｲﾙを整理して下さい。");
// Creates the archive empty when it does not exist.
FileStatus createArchive(const QString& path);
template <class T> FileStatus appendDone(const QString& path, const T& item);
template <class T> FileStatus loadDone(const QString& path, ItemList<T>& out);
// How many records an archive holds (a record cut short counts), without
// reading them into a list.
struct [[nodiscard]] RecordCount {
    FileStatus status;
    qsizetype records = 0;
    // Lines the last record lacks to be whole (a write cut short by an
    // earlier version, or a file edited by hand): 0 for a whole archive.
    int missingLines = 0;
};
// The bytes that append `item` to an archive whose last record lacks
// `missingLines` lines: empty lines first, so the new record starts on a
// record boundary and the old fragment is kept as a whole record.
template <class T> QByteArray archiveAppendBytes(const T& item, int missingLines);
RecordCount countDoneRecords(const QString& path);
