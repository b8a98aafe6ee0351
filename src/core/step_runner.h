#pragma once
// How the core runs a file step that may fail. The core never asks the user
// anything: whoever calls it decides what a failure comes to (the window tells
// the user, offers a repair and retries; start-up checks and tests try once).

#include "store/file_access.h"

#include <functional>

// Whose folder a step touches: a colleague's can be repaired in the member
// dialog, the own one only in the own-settings dialog.
enum class Scope { Member, Own };
enum class StepKind { Read, Write };

struct [[nodiscard]] TrapResult {
    FileStatus status;   // of the last attempt
    bool gaveUp = false;   // the user chose not to retry
    bool ok() const { return status.ok(); }
};

class StepRunner {
public:
    virtual ~StepRunner() = default;
    // Runs the step until it succeeds, is passed over or is given up.
    virtual TrapResult run(const std::function<FileStatus()>& step, Scope scope, StepKind kind) = 0;
};

// Runs each step once; a failure is given up at once.
class TryOnce final : public StepRunner {
public:
    TrapResult run(const std::function<FileStatus()>& step, Scope, StepKind) override
    {
        TrapResult r{step(), false};
        r.gaveUp = !r.ok();
        return r;
    }
};
