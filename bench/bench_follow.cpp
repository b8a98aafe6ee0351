// Two copies on one data folder, beside the floors:
//   CheckBeforeRewrite   the look under the write lock whether another copy
//                        changed the list (nothing changed: a stat)
//   Floor_Rewrite        the rewrite of the 30000-item list itself
//   Merge100             saving a 30000-item list into which another copy
//                        wrote 100 changes (read, replay this copy's edits, write)
//   Floor_LoadAndSave    one load plus one save of the same list
#include "bench_support.h"

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
    ItemStore store;
    ListSync sync;
    if (!loadOwnList(f.dataDir, ListKind::Todo, store, &sync).ok())
        state.SkipWithError("load failed");
    const QString path = f.dataDir + kTodoFileName;
    for (auto _ : state)
        if (!isUnchanged(path, sync.seen))
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
        ItemStore store;
        ListSync sync;
        loadOwnList(f.dataDir, ListKind::Todo, store, &sync);
        // This copy's own edits meanwhile: one added, one changed.
        TodoItem mine = store.todos[2];
        mine.content = Field(QStringLiteral("こちらで追加"));
        sync.journal.add(recordBytes(mine));
        store.todos.append(mine);
        const QByteArray before = recordBytes(store.todos[3]);
        store.todos[3].content = Field(QStringLiteral("こちらで変更"));
        sync.journal.replace(before, recordBytes(store.todos[3]));
        writeWhole(f.dataDir + kTodoFileName, theirs);
        state.ResumeTiming();
        const SaveReport r = saveOwnList(f.dataDir, ListKind::Todo, store, sync);
        if (!r.status.ok() || !r.merged)
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

}  // namespace

int main(int argc, char** argv) { return runBenchmarks<QCoreApplication>(argc, argv); }
