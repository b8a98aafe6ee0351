#include "maintenance/conversion.h"

#include "store/cp932.h"
#include "store/list_file.h"
#include "store/settings_file.h"
#include "ui/ui.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
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
    case OldFile::Todo: return {true, 11, 0, -1, 1};
    case OldFile::Schedule: return {true, 10, 0, -1, 1};
    case OldFile::DoneTodo:
    case OldFile::DoneSchedule: break;
    }
    return {false, 10, 0, 1, 2};
}

// One file of the conversion: where it is, where its backup goes, its bytes.
struct Job {
    QString path;
    QString backup;
    QByteArray original;
    QByteArray converted;
};

void tellFailure(Ui& ui, QWidget* parent, const QString& what, const FileStatus& status)
{
    QString text = what.arg(QDir::toNativeSeparators(status.path));
    if (!status.detail().isEmpty())
        text += QStringLiteral("\n(%1)").arg(status.detail());
    text += QStringLiteral("\nデータは変換前のままです。ぽるかを終了します。");
    ui.message(parent, text, MsgButtons::Ok, MsgIcon::Critical);
}

}  // namespace

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

}  // namespace

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

Conversion convertOldData(const QString& dataDir, const QString& programDir, Ui& ui, QWidget* parent)
{
    const QString program = withTrailingSeparator(programDir);
    for (const auto& [name, what] : {std::pair{QStringLiteral("todo.dat"), QStringLiteral("やることのデータファイル(")},
                                     {QStringLiteral("sche.dat"), QStringLiteral("予定のデータファイル(")}}) {
        if (!fileExistsIgnoringCase(dataDir, name)) {
            ui.message(parent, what + dataDir + name + QStringLiteral("）がありません"), MsgButtons::Ok, MsgIcon::None,
                       QStringLiteral("変換できません"));
            return Conversion::ListMissing;
        }
    }
    const BusyPointer busy;
    std::vector<Job> jobs;
    const auto add = [&](const QString& path, const QString& backup, std::optional<OldFile> file) {
        Job job{path, backup, {}, {}};
        const ReadResult r = readFile(path, file && (*file == OldFile::Todo || *file == OldFile::Schedule)
                                                ? Locking::Exclusive
                                                : Locking::None);
        if (!r.ok()) {
            tellFailure(ui, parent, QStringLiteral("%1 を読み込めませんでした。"), r.status);
            return false;
        }
        job.original = r.bytes;
        job.converted = file ? convertFileBytes(r.bytes, *file) : r.bytes;
        jobs.push_back(std::move(job));
        return true;
    };
    if (!add(resolvePath(dataDir, QStringLiteral("todo.dat")), dataDir + QStringLiteral("todo.old"), OldFile::Todo) ||
        !add(resolvePath(dataDir, QStringLiteral("sche.dat")), dataDir + QStringLiteral("SCHE.old"), OldFile::Schedule))
        return Conversion::Failed;
    for (const auto& [name, file] : {std::pair{kDoneTodoFileName, OldFile::DoneTodo}, {kDoneScheduleFileName, OldFile::DoneSchedule}}) {
        const QString path = resolvePath(program, name);
        if (QFileInfo::exists(path) && !add(path, program + name + QStringLiteral("old"), file))
            return Conversion::Failed;
    }
    const QString password = resolvePath(program, kPasswordFileName);
    const bool hasPassword = QFileInfo::exists(password);
    if (hasPassword && !add(password, program + kPasswordFileName + QStringLiteral("old"), std::nullopt))
        return Conversion::Failed;

    // Every backup is on disk before any original changes.
    for (const Job& job : jobs) {
        const FileStatus s = writeFile(job.backup, job.original, Locking::None);
        if (!s.ok()) {
            tellFailure(ui, parent, QStringLiteral("控えのファイル %1 を書けませんでした。"), s);
            return Conversion::Failed;
        }
    }
    // Then the originals, each whole; a failure puts back those already done.
    const std::size_t converted = hasPassword ? jobs.size() - 1 : jobs.size();
    for (std::size_t i = 0; i < converted; ++i) {
        const FileStatus s = writeFile(jobs[i].path, jobs[i].converted, Locking::Exclusive);
        if (!s.ok()) {
            for (std::size_t k = 0; k < i; ++k)
                writeFile(jobs[k].path, jobs[k].original, Locking::Exclusive);
            tellFailure(ui, parent, QStringLiteral("%1 を書けませんでした。"), s);
            return Conversion::Failed;
        }
    }
    if (hasPassword) {
        const FileStatus s = removeFile(password);
        if (!s.ok() && s.error != FileError::FileNotFound) {
            for (std::size_t k = 0; k < converted; ++k)
                writeFile(jobs[k].path, jobs[k].original, Locking::Exclusive);
            tellFailure(ui, parent, QStringLiteral("%1 を消せませんでした。"), s);
            return Conversion::Failed;
        }
        ui.message(parent, QStringLiteral("パスワードが消去されました。再設定して下さい。"));
    }
    return Conversion::Done;
}
