#include "core/conversion.h"

#include "store/cp932.h"
#include "store/list_file.h"
#include "store/settings_file.h"

#include <QDataStream>
#include <QIODevice>
#include <algorithm>
#include <optional>
#include <vector>

namespace {

struct Layout {
    bool header;
    int width;
    int firstPlain, secondPlain;   // 0-based lines of the record; -1 none
    int sentinel;
};

Layout layoutOf(OldFile file)
{
    switch (file) {
    case OldFile::Todo:
        return {true, 11, 0, -1, 1};
    case OldFile::Schedule:
        return {true, 10, 0, -1, 1};
    case OldFile::DoneTodo:
    case OldFile::DoneSchedule:
        break;
    }
    return {false, 10, 0, 1, 2};
}

}   // namespace

namespace {

// Characters, not bytes: a date is ASCII, and only then are the two the same.
bool eightCharacters(QByteArrayView field)
{
    if (field.size() < 8 || field.size() > 16)
        return false;
    if (std::all_of(field.begin(), field.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return field.size() == 8;
    return cp932::decode(field.data(), field.size()).size() == 8;
}

void appendConverted(QByteArray& out, QByteArrayView field, DateRule rule)
{
    if (!eightCharacters(field)) {
        out += field;
        return;
    }
    if (rule == DateRule::Sentinel) {
        if (field == QByteArrayView("00/00/00")) {
            out += "0000/00/00";
            return;
        }
        if (field == QByteArrayView("99/99/99")) {
            out += "9999/99/99";
            return;
        }
    }
    out += "19";
    out += field;
}

}   // namespace

QByteArray convertDateField(QByteArrayView field, DateRule rule)
{
    QByteArray out;
    appendConverted(out, field, rule);
    return out;
}

QByteArray convertFileBytes(const QByteArray& bytes, OldFile file)
{
    const Layout layout = layoutOf(file);
    QByteArray out;
    out.reserve(bytes.size() + bytes.size() / 16 + 2);
    LineCursor lines(bytes);
    if (layout.header && !lines.atEnd()) {
        out += lines.next();
        out += "\r\n";
    }
    for (int i = 0; !lines.atEnd(); ++i) {
        const QByteArrayView line = lines.next();
        const int at = i % layout.width;
        if (at == layout.firstPlain || at == layout.secondPlain)
            appendConverted(out, line, DateRule::Plain);
        else if (at == layout.sentinel)
            appendConverted(out, line, DateRule::Sentinel);
        else
            out += line;
        out += "\r\n";
    }
    return out;
}

namespace {

// One file of the conversion: where it is, where its backup goes, and which
// file it is (none: the password file, which is backed up and removed).
struct Entry {
    QString path;
    QString backup;
    std::optional<OldFile> file;
};

// "PRKC", then the format version.
constexpr quint32 kRecordMagic = 0x50524B43;
constexpr quint16 kRecordVersion = 1;

QByteArray encodeRecord(const std::vector<Entry>& entries)
{
    QByteArray body;
    {
        QDataStream out(&body, QIODevice::WriteOnly);
        out.setVersion(QDataStream::Qt_6_4);
        out << quint32(entries.size());
        for (const Entry& e : entries)
            out << e.path << e.backup << qint8(e.file ? int(*e.file) : -1);
    }
    QByteArray record;
    QDataStream out(&record, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_4);
    out << kRecordMagic << kRecordVersion << body << bytesHash(body);
    return record;
}

std::optional<std::vector<Entry>> decodeRecord(const QByteArray& record)
{
    QDataStream in(record);
    in.setVersion(QDataStream::Qt_6_4);
    quint32 magic = 0;
    quint16 version = 0;
    QByteArray body;
    quint64 hash = 0;
    in >> magic >> version >> body >> hash;
    if (in.status() != QDataStream::Ok || magic != kRecordMagic || version != kRecordVersion || bytesHash(body) != hash)
        return std::nullopt;
    QDataStream b(body);
    b.setVersion(QDataStream::Qt_6_4);
    quint32 count = 0;
    b >> count;
    std::vector<Entry> entries;
    for (quint32 i = 0; i < count && b.status() == QDataStream::Ok; ++i) {
        Entry e;
        qint8 file = -1;
        b >> e.path >> e.backup >> file;
        if (file > qint8(OldFile::DoneSchedule))
            return std::nullopt;
        if (file >= 0)
            e.file = OldFile(file);
        entries.push_back(std::move(e));
    }
    if (b.status() != QDataStream::Ok)
        return std::nullopt;
    return entries;
}

QString recordPath(const QString& programDir) { return programFile(programDir, kConversionRecordName); }

ConversionOutcome failedAt(ConversionOutcome::Step step, const FileStatus& status)
{
    ConversionOutcome o;
    o.result = ConversionOutcome::Result::Failed;
    o.failedStep = step;
    o.failure = status;
    return o;
}

// One entry made from its backup: the original converted, or the password
// file removed. Made again, it changes nothing.
FileStatus applyEntry(const Entry& e, const QByteArray& original)
{
    if (!e.file) {
        const FileStatus s = removeFile(e.path);
        return s.error == FileError::FileNotFound ? FileStatus::success() : s;
    }
    const QByteArray converted = convertFileBytes(original, *e.file);
    const ReadResult now = readFile(e.path, Locking::None);
    if (now.ok() && now.bytes == converted)
        return FileStatus::success();
    return writeFile(e.path, converted, Locking::Exclusive);
}

}   // namespace

ConversionOutcome runConversion(const QString& dataDir, const QString& programDir)
{
    if (conversionUnfinished(programDir))
        return finishConversion(programDir);
    ConversionOutcome outcome;
    for (const QString& name : {QStringLiteral("todo.dat"), QStringLiteral("sche.dat")}) {
        if (!fileExistsIgnoringCase(dataDir, name)) {
            outcome.result = ConversionOutcome::Result::ListMissing;
            outcome.missing = name;
            return outcome;
        }
    }

    // Everything read first.
    const QString program = withTrailingSeparator(programDir);
    std::vector<Entry> entries;
    std::vector<QByteArray> originals;
    const auto add = [&](const QString& path, const QString& backup, std::optional<OldFile> file, Locking locking,
                         bool mayVanish) -> std::optional<ConversionOutcome> {
        const ReadResult r = readFile(path, locking);
        if (mayVanish && r.status.error == FileError::FileNotFound) {
            // Gone since the check: told, and passed over.
            outcome.vanished << path;
            return std::nullopt;
        }
        if (!r.ok())
            return failedAt(ConversionOutcome::Step::Read, r.status);
        entries.push_back({path, backup, file});
        originals.push_back(r.bytes);
        return std::nullopt;
    };
    for (const auto& [name, upper, backup, file] :
         {std::tuple{QStringLiteral("todo.dat"), QStringLiteral("TODO.DAT"), QStringLiteral("todo.old"), OldFile::Todo},
          std::tuple{QStringLiteral("sche.dat"), QStringLiteral("SCHE.DAT"), QStringLiteral("SCHE.old"),
                     OldFile::Schedule}}) {
        const QString path = resolvePath(dataDir, name);
        if (auto failed =
                add(fileExists(path) ? path : dataDir + upper, dataDir + backup, file, Locking::Exclusive, true))
            return *failed;
    }
    for (const auto& [name, file] :
         {std::pair{kDoneTodoFileName, OldFile::DoneTodo}, std::pair{kDoneScheduleFileName, OldFile::DoneSchedule}}) {
        const QString path = resolvePath(program, name);
        if (fileExists(path))
            if (auto failed = add(path, program + name + QStringLiteral("old"), file, Locking::None, false))
                return *failed;
    }
    const QString password = resolvePath(program, kPasswordFileName);
    if (fileExists(password))
        if (auto failed =
                add(password, program + kPasswordFileName + QStringLiteral("old"), std::nullopt, Locking::None, false))
            return *failed;

    // Every backup on disk, then the record that makes them the truth.
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const FileStatus s = writeFile(entries[i].backup, originals[i], Locking::None);
        if (!s.ok())
            return failedAt(ConversionOutcome::Step::Backup, s);
    }
    if (const FileStatus s = writeFile(recordPath(programDir), encodeRecord(entries), Locking::None); !s.ok())
        return failedAt(ConversionOutcome::Step::Record, s);

    // Then the originals, each whole; a failure puts back those already done.
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const FileStatus s = applyEntry(entries[i], originals[i]);
        if (s.ok())
            continue;
        ConversionOutcome failed =
            failedAt(entries[i].file ? ConversionOutcome::Step::Write : ConversionOutcome::Step::RemovePassword, s);
        failed.vanished = outcome.vanished;
        for (std::size_t k = 0; k < i && failed.rolledBack; ++k) {
            const FileStatus back =
                entries[k].file ? writeFile(entries[k].path, originals[k], Locking::Exclusive) : FileStatus::success();
            if (!back.ok()) {
                failed.rolledBack = false;
                failed.rollbackFailure = back;
            }
        }
        // Put back whole: no conversion is pending. Otherwise the record
        // stays, and the next start finishes the conversion from the backups.
        if (failed.rolledBack && !closeConversion(programDir).ok())
            failed.rolledBack = false;
        return failed;
    }
    outcome.passwordRemoved = std::any_of(entries.begin(), entries.end(), [](const Entry& e) { return !e.file; });
    return outcome;
}

bool conversionUnfinished(const QString& programDir) { return fileExists(recordPath(programDir)); }

ConversionOutcome finishConversion(const QString& programDir)
{
    const ReadResult r = readFile(recordPath(programDir), Locking::None);
    if (!r.ok())
        return failedAt(ConversionOutcome::Step::Read, r.status);
    const std::optional<std::vector<Entry>> entries = decodeRecord(r.bytes);
    if (!entries) {
        FileStatus damaged;
        damaged.error = FileError::Other;
        damaged.path = recordPath(programDir);
        return failedAt(ConversionOutcome::Step::Read, damaged);
    }
    ConversionOutcome outcome;
    for (const Entry& e : *entries) {
        QByteArray original;
        if (e.file) {
            const ReadResult backup = readFile(e.backup, Locking::None);
            if (!backup.ok())
                return failedAt(ConversionOutcome::Step::Read, backup.status);
            original = backup.bytes;
        }
        const FileStatus s = applyEntry(e, original);
        if (!s.ok()) {
            ConversionOutcome failed =
                failedAt(e.file ? ConversionOutcome::Step::Write : ConversionOutcome::Step::RemovePassword, s);
            failed.rolledBack = false;
            return failed;
        }
        outcome.passwordRemoved = outcome.passwordRemoved || !e.file;
    }
    return outcome;
}

FileStatus closeConversion(const QString& programDir)
{
    const FileStatus s = removeFile(recordPath(programDir));
    return s.error == FileError::FileNotFound ? FileStatus::success() : s;
}
