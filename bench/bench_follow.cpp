// Two copies on one data folder, beside the floors:
//   CheckBeforeRewrite   the look under the write lock whether another copy
//                        changed the list (nothing changed: a stat)
//   Floor_Rewrite        the rewrite of the 30000-item list itself
//   Merge100             a command adding an item to a 30000-item list into
//                        which another copy wrote 100 changes (the command's
//                        record, read, this copy's edit applied, write)
//   Floor_LoadAndSave    one load plus one save of the same list
#include "bench_support.h"

#include "core/core.h"
#include "store/list_file.h"

namespace {

ItemList<TodoItem> todos()
{
    return randomList<TodoItem>(3, [](TodoItem& item, int i, std::mt19937&) {
        item.content = Field(meetingText(i));
        item.person = Field(kOwnName);
        item.alarm = Field::number(0);
    });
}

void CheckBeforeRewrite(benchmark::State& state)
{
    StartupFolders f;
    f.putList(kTodoFileName, todos());
    const QString path = f.dataDir + kTodoFileName;
    const ReadResult read = readFile(path, Locking::Exclusive);
    if (!read.ok())
        state.SkipWithError("load failed");
    for (auto _ : state)
        if (!isUnchanged(path, read.fingerprint))
            state.SkipWithError("changed");
}
BENCHMARK(CheckBeforeRewrite)->Unit(benchmark::kMicrosecond);

void Floor_Rewrite(benchmark::State& state)
{
    StartupFolders f;
    ItemStore store;
    store.todos = todos();
    store.todoHeader = newListHeader();
    for (auto _ : state)
        if (!saveList(f.dataDir, ListKind::Todo, store).ok())
            state.SkipWithError("save failed");
}
BENCHMARK(Floor_Rewrite)->Unit(benchmark::kMicrosecond);

// The other copy's version: 100 of the items changed, 50 of them added anew.
QByteArray othersVersion(const ItemList<TodoItem>& base)
{
    ItemList<TodoItem> theirs = base;
    for (int i = 1; i <= 50; ++i)
        theirs[i * 500].content = Field(QStringLiteral("あちらで変更%1").arg(i));
    for (int i = 0; i < 50; ++i) {
        TodoItem t = base[1];
        t.content = Field(QStringLiteral("あちらで追加%1").arg(i));
        theirs.items().pop_back();
        theirs.append(t);
    }
    return serializeList(newListHeader(), theirs);
}

void Merge100(benchmark::State& state)
{
    StartupFolders f;
    const ItemList<TodoItem> base = todos();
    f.putList(kTodoFileName, base);
    const QByteArray theirs = othersVersion(base);
    for (auto _ : state) {
        state.PauseTiming();
        f.putList(kTodoFileName, base);
        Core core(f.programDir);
        core.resolvePaths();
        core.setSettings(readSettings(core.settingsPath()).settings);
        if (!core.loadOwnList(ListKind::Todo).ok())
            state.SkipWithError("load failed");
        // The other copy's version arrives; this copy adds an item, and the
        // command takes the other version in before it writes.
        writeWhole(f.dataDir + kTodoFileName, theirs);
        TodoItem mine = core.store().todos[2];
        mine.content = Field(QStringLiteral("こちらで追加"));
        Job job;
        job.steps = {JobStep::listEdit(ListKind::Todo, {ListEdit::Kind::Add, {}, recordBytes(mine)}, 0)};
        TryOnce once;
        state.ResumeTiming();
        const JobResult r = core.run(std::move(job), once);
        if (r.state != JobResult::State::Done || !r.merged)
            state.SkipWithError("no merge");
    }
}
BENCHMARK(Merge100)->Unit(benchmark::kMillisecond);

void Floor_LoadAndSave(benchmark::State& state)
{
    StartupFolders f;
    f.putList(kTodoFileName, todos());
    for (auto _ : state) {
        ItemStore store;
        if (!loadOwnList(f.dataDir, ListKind::Todo, store).ok() || !saveList(f.dataDir, ListKind::Todo, store).ok())
            state.SkipWithError("failed");
    }
}
BENCHMARK(Floor_LoadAndSave)->Unit(benchmark::kMillisecond);

}   // namespace

int main(int argc, char** argv) { return runBenchmarks<QCoreApplication>(argc, argv); }
