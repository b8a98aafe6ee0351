#pragma once
// Which program "メモ編集" opens a memo with. Memo files are code page 932 with
// CR LF line ends, and the usual Linux text editors take a file for UTF-8:
// opened as it is, a Japanese memo shows garbled, and saving it from there
// would destroy it. So the memo goes to an editor told its encoding.

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

struct EditorCommand {
    QString program;
    QStringList arguments;
    bool operator==(const EditorCommand&) const = default;
};

// The environment variable that names another editor command; "%f" in it
// stands for the memo file (added at the end when it has none).
inline constexpr char kMemoEditorVariable[] = "PORUKA_MEMO_EDITOR";

// The editors looked for, in order, by program name.
QStringList knownMemoEditors();

// The command for `path`: the one configured (the variable's value), else the
// first of the editors known to take an encoding option that findProgram
// finds (it returns the program's full path, or empty). Nothing when neither
// gives one.
std::optional<EditorCommand> memoEditorCommand(const QString& path, const QString& configured,
                                               const std::function<QString(const QString&)>& findProgram);
