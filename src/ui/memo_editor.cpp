#include "ui/memo_editor.h"

#include <QProcess>

namespace {

// Editors that can be told a file's encoding on their command line, in the
// order they are tried; the file goes last. Each was tried on a memo holding
// kanji, half-width kana, NEC row 13 and IBM extension characters: it showed
// them, and saving after an edit kept code page 932, every untouched byte and
// the CR LF line ends. "CP932" is the name that works for all of them (glibc's
// "SHIFT_JIS" lacks the extension characters). mousepad accepts only names of
// its own list, none of which holds the extensions, so it is not used.
struct KnownEditor {
    const char* program;
    QStringList options;
};

const KnownEditor kKnownEditors[] = {
    {"gedit", {QStringLiteral("--encoding=CP932")}},
    {"pluma", {QStringLiteral("--encoding=CP932")}},
    {"xed", {QStringLiteral("--encoding=CP932")}},
    {"kate", {QStringLiteral("--encoding"), QStringLiteral("CP932")}},
};

}   // namespace

QStringList knownMemoEditors()
{
    QStringList names;
    for (const KnownEditor& e : kKnownEditors)
        names << QLatin1String(e.program);
    return names;
}

std::optional<EditorCommand> memoEditorCommand(const QString& path, const QString& configured,
                                               const std::function<QString(const QString&)>& findProgram)
{
    if (!configured.trimmed().isEmpty()) {
        QStringList words = QProcess::splitCommand(configured);
        if (!words.isEmpty()) {
            bool placed = false;
            for (QString& w : words) {
                if (w.contains(QLatin1String("%f"))) {
                    w.replace(QLatin1String("%f"), path);
                    placed = true;
                }
            }
            if (!placed)
                words.append(path);
            const QString program = words.takeFirst();
            return EditorCommand{program, words};
        }
    }
    for (const KnownEditor& editor : kKnownEditors) {
        const QString found = findProgram(QLatin1String(editor.program));
        if (!found.isEmpty())
            return EditorCommand{found, editor.options + QStringList{path}};
    }
    return std::nullopt;
}
