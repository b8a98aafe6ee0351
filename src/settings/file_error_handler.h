#pragma once
// The trap a handler installs around its file steps: a missing file or folder is
// reported and the directory dialog offered, a file held by another program is
// reported, and the failed step is retried after the user's answer. The user can
// give a step up where retrying cannot help; what the step held in memory stays.

#include "core/step_runner.h"

#include <functional>

class QWidget;
class Ui;

enum class TrapVariant {
    Shared,   // most handlers: the member directory dialog repairs a path
    Startup,   // start-up: the own data directory dialog, "別の人" wording
    Memo,   // showing a memo: a missing memo is told, nothing retried
};

inline const QString kInvalidPathMessage = QStringLiteral("指定されたパスが不正です。");
inline const QString kInUseByUserMessage =
    QStringLiteral("ただいま別のユーザがファイルを使用中です。\nもう一度実行して下さい。");
inline const QString kInUseByPersonMessage =
    QStringLiteral("ただいま別の人がファイルを使用中です。\nもう一度実行して下さい。");

class FileErrorHandler final : public StepRunner {
public:
    // Each repair callback shows its dialog modally and returns true when the
    // user accepted it (then the step is retried).
    struct Repairs {
        std::function<bool()> memberDirectories;
        std::function<bool()> ownDirectory;
        std::function<void(const FileStatus&)> memoMissing;   // memo variant only
    };

    FileErrorHandler(TrapVariant variant, Ui& ui, QWidget* parent, Repairs repairs);

    // Runs the step until it succeeds, is passed over or is given up.
    TrapResult run(const std::function<FileStatus()>& step, Scope scope, StepKind kind) override;
    // Runs a read that must not be passed over: one the trap would pass over
    // (no permission, an I/O error, a refused link) is told with the file and
    // the reason, and retried when the user asks. False when the user gave the
    // read up.
    bool readOrGiveUp(const std::function<FileStatus()>& read, Scope scope);

private:
    enum class Next { Retry, Continue, GiveUp };
    Next react(const FileStatus& status, Scope scope, StepKind kind);

    TrapVariant variant_;
    Ui& ui_;
    QWidget* parent_;
    Repairs repairs_;
};
