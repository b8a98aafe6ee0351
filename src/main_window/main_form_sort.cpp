// Commands that yield to events while they work (the sorts: 日時, 名前, 重要,
// and the one after a new item), guarded so that no other command starts
// meanwhile.
#include "main_window/main_form.h"

#include "ui/grid.h"
#include "ui/ui.h"

#include <QEvent>
#include <QMenuBar>
#include <QPointer>
#include <utility>

namespace {

// Closing the window saves both lists; while one is half sorted it must wait.
class CloseBlocker final : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::Close)
            return false;
        event->ignore();
        return true;
    }
};

}   // namespace

// A long command yields to pending events so the window keeps repainting;
// meanwhile no command of the window may start, or it would read, change or
// save a half sorted list. The clock keeps running: an alarm that goes off
// meanwhile is run when the command has finished.
class Main_Form::CommandGuard {
public:
    explicit CommandGuard(Main_Form& form)
        : form_(form), focus_(form.focusWidget()), centralWasEnabled_(form.centralWidget()->isEnabled()),
          menuWasEnabled_(form.menuBar()->isEnabled())
    {
        form_.busy_ = true;
        form_.centralWidget()->setEnabled(false);
        form_.menuBar()->setEnabled(false);
        form_.installEventFilter(&closeBlocker_);
    }

    ~CommandGuard()
    {
        form_.removeEventFilter(&closeBlocker_);
        form_.menuBar()->setEnabled(menuWasEnabled_);
        form_.centralWidget()->setEnabled(centralWasEnabled_);
        if (focus_ && focus_->isEnabled())
            focus_->setFocus();
        form_.busy_ = false;
        if (std::exchange(form_.alarmDeferred_, false))
            form_.CurTime1_Alarm();
    }

    CommandGuard(const CommandGuard&) = delete;
    CommandGuard& operator=(const CommandGuard&) = delete;

private:
    Main_Form& form_;
    QPointer<QWidget> focus_;
    bool centralWasEnabled_;
    bool menuWasEnabled_;
    CloseBlocker closeBlocker_;
};

void Main_Form::runGuarded(const std::function<Redisplay(const YieldFn&)>& work)
{
    if (busy_)
        return;
    Redisplay display;
    {
        CommandGuard guard(*this);
        BusyPointer busy;
        display = work(everyFewSteps([this] { ui_.yieldToEvents(); }));
        redisplay(display);
    }
}
