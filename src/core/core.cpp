#include "core/core.h"

#include "core/memo_copy.h"
#include "core/password.h"
#include "store/memo.h"

#include <QDir>

#include <QRegularExpression>
#include <algorithm>

namespace {

bool namedAnyCase(const QString& name, std::initializer_list<QString> names)
{
    for (const QString& n : names)
        if (name.compare(n, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// The files of the program folder this program rewrites (a damaged settings
// file kept aside included).
bool isProgramFolderFile(const QString& name)
{
    return namedAnyCase(name,
                        {kSettingsFileName, kPasswordFileName, kDoneTodoFileName, kDoneScheduleFileName, kJobFileName,
                         kDoneTodoFileName + QStringLiteral("old"), kDoneScheduleFileName + QStringLiteral("old"),
                         kPasswordFileName + QStringLiteral("old")}) ||
        name.startsWith(kSettingsFileName + QStringLiteral(".damaged-"));
}

// The files of the own data folder this program rewrites: the lists, their
// conversion backups and the memos.
bool isDataFolderFile(const QString& name)
{
    static const QRegularExpression memo(QStringLiteral("^~[0-9]{7}\\.txt$"),
                                         QRegularExpression::CaseInsensitiveOption);
    return namedAnyCase(name,
                        {kTodoFileName, kScheduleFileName, QStringLiteral("todo.old"), QStringLiteral("SCHE.old")}) ||
        memo.match(name).hasMatch();
}

}   // namespace

Core::Core(QString programDir) : programDir_(std::move(programDir)) { }

void Core::resolvePaths()
{
    const QString dir = withTrailingSeparator(programDir_);
    passwordPath_ = resolvePath(dir, kPasswordFileName);
    settingsPath_ = resolvePath(dir, kSettingsFileName);
    archivePath(ListKind::Todo);
    archivePath(ListKind::Schedule);
}

void Core::removeLeftovers()
{
    removeLeftoverTemporaries(withTrailingSeparator(programDir_), isProgramFolderFile);
    if (QDir::isAbsolutePath(settings_.ownDirectory()))
        removeLeftoverTemporaries(settings_.ownDirectory(), isDataFolderFile);
}

QString Core::jobPath() const { return programFile(programDir_, kJobFileName); }

const QString& Core::archivePath(ListKind kind)
{
    const QString dir = withTrailingSeparator(programDir_);
    if (kind == ListKind::Todo)
        return store_.doneTodoPath = resolvePath(dir, kDoneTodoFileName);
    return store_.doneSchedulePath = resolvePath(dir, kDoneScheduleFileName);
}

WindowPlacement Core::placement() const { return placement_ ? placement_() : settings_.placement(); }

FileStatus Core::writeSettingsFile()
{
    settings_.setPlacement(placement());
    return writeSettings(settingsPath_, settings_);
}

template <> ItemList<TodoItem>& Core::ownList<TodoItem>() { return store_.todos; }

template <> ItemList<ScheduleItem>& Core::ownList<ScheduleItem>() { return store_.schedules; }

FileStatus Core::createOwnList(ListKind kind)
{
    // There under the name as given, as nearly always: one look, and the
    // reading that follows needs no other to find it.
    const QString exact = settings_.ownDirectory() + listFileName(kind);
    if (fileExists(exact)) {
        sync(kind).path = exact;
        return FileStatus::success();
    }
    sync(kind).path.clear();
    return createList(settings_.ownDirectory(), kind);
}

FileStatus Core::loadOwnList(ListKind kind)
{
    ListSync& s = sync(kind);
    if (!isListIn(s.path, settings_.ownDirectory()))
        s.path = resolvePath(settings_.ownDirectory(), listFileName(kind));
    s.pending.clear();
    s.reordered = false;
    ReadResult r = readFile(s.path, Locking::Exclusive, -1, std::move(readBuffer_));
    if (!r.ok())
        return r.status;
    withOwnList(kind, [&](auto& list) { parseList(r.bytes, ownHeader(kind), list); });
    s.seen = r.fingerprint;
    readBuffer_ = std::move(r.bytes);
    return r.status;
}

void Core::sortOwn(SortOrder order, const YieldFn& yield)
{
    sortList(store_.todos, order, yield);
    sortList(store_.schedules, order, yield);
    // Another copy's records keep their places when the order is written.
    todoSync_.reordered = scheduleSync_.reordered = true;
}

void Core::sortMember(SortOrder order, const YieldFn& yield)
{
    sortList(store_.memberTodos, order, yield);
    sortList(store_.memberSchedules, order, yield);
}

void Core::sortDone(SortOrder order, const YieldFn& yield)
{
    sortList(store_.doneTodos, order, yield);
    sortList(store_.doneSchedules, order, yield);
}

FileStatus Core::readMemberList(const QString& directory, ListKind kind, ItemStore& into, Fingerprint* seen)
{
    return loadMemberList(directory, kind, into, seen);
}

void Core::showMemberLists(ItemStore&& incoming)
{
    store_.memberTodos = std::move(incoming.memberTodos);
    store_.memberSchedules = std::move(incoming.memberSchedules);
    store_.memberTodoHeader = incoming.memberTodoHeader;
    store_.memberScheduleHeader = incoming.memberScheduleHeader;
}

template <class T> FileStatus Core::readArchive(ListKind kind, ItemList<T>& out)
{
    const QString& path = archivePath(kind);
    const FileStatus created = createArchive(path);
    if (!created.ok())
        return created;
    return loadDone(path, out);
}

template FileStatus Core::readArchive(ListKind, ItemList<DoneTodoItem>&);
template FileStatus Core::readArchive(ListKind, ItemList<DoneScheduleItem>&);

void Core::showDoneLists(ItemList<DoneTodoItem>&& todos, ItemList<DoneScheduleItem>&& schedules)
{
    store_.doneTodos = std::move(todos);
    store_.doneSchedules = std::move(schedules);
}

int Core::allocateMemoNo()
{
    // Past every number a record in memory names: a memo another copy freed
    // with its record is never handed out while a record here may still name
    // it (two copies count in two settings files). One copy alone never
    // names a number beyond its counter, and nothing changes for it.
    long long highest = 0;
    const auto scan = [&highest](const auto& list) {
        for (const auto& item : list.items())
            highest = std::max<long long>(highest, memoNumber(item.memoNo));
    };
    scan(store_.todos);
    scan(store_.schedules);
    if (settings_.memoCounterValue() < highest)
        settings_.memoCounter = Field::number(highest);
    return ::allocateMemoNo(settings_, settings_.ownDirectory());
}

void Core::releaseMemoNo(int memoNo) { ::releaseMemoNo(settings_.ownDirectory(), memoNo); }

bool Core::isMemoNamed(int memoNo) const
{
    const auto names = [memoNo](const auto& list) {
        for (const auto& item : list.items())
            if (memoNumber(item.memoNo) == memoNo)
                return true;
        return false;
    };
    return memoNo != 0 && (names(store_.todos) || names(store_.schedules));
}

QStringList Core::changeOwnEntry(const QString& name, const QString& directory)
{
    const QString oldDir = settings_.ownDirectory();
    const QString newDir = withTrailingSeparator(directory);
    Member& own = settings_.members[0];
    own.name = Field(name);
    own.directory = Field(newDir);
    // Nothing to carry over on the first start or when the folder stays the same.
    if (oldDir.isEmpty() || isSameFolder(oldDir, newDir))
        return {};
    return copyOwnMemos(store_, oldDir, newDir);
}

void Core::setMember(const MemberEntry& entry)
{
    Member& member = settings_.members[std::size_t(entry.slot)];
    if (entry.remove) {
        // The slot as the file keeps a free one, its number for the next colleague.
        member = {Field(kFreeMemberName), Field(kFreeMemberDirectory)};
        return;
    }
    member.name = Field(entry.name);
    member.directory = Field(withTrailingSeparator(entry.directory));
}

bool Core::hasPassword() const { return fileExists(passwordPath_); }

FileStatus Core::writePassword(const QByteArray& line) { return writePasswordFile(passwordPath_, line); }

FileStatus Core::removePassword() { return removeFile(passwordPath_); }

Core::SaveAll Core::saveAll(StepRunner& runner)
{
    SaveAll result;
    const QString ownDirectory = settings_.ownDirectory();
    result.saved = runner.run([&] { return writeSettingsFile(); }, Scope::Own, StepKind::Write).ok();
    for (ListKind kind : {ListKind::Todo, ListKind::Schedule}) {
        bool merged = false, keptBoth = false;
        result.saved =
            runner.run([&] { return writeOwnList(kind, &merged, &keptBoth); }, Scope::Own, StepKind::Write).ok() &&
            result.saved;
        result.merged = result.merged || merged;
        result.keptBoth = result.keptBoth || keptBoth;
    }
    // What commands left undone (a memo to remove, say) is done now.
    result.saved = finishJobs(runner).state == JobResult::State::Done && result.saved;
    // The user chose another data folder on the way (a repair the trap
    // offered): the settings must name it.
    if (settings_.ownDirectory() != ownDirectory)
        result.saved =
            runner.run([&] { return writeSettingsFile(); }, Scope::Own, StepKind::Write).ok() && result.saved;
    return result;
}
