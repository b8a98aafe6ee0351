#pragma once
// What the search dialog works on, handed over by the presenter.

#include "settings/file_error_handler.h"

#include <QString>
#include <functional>

class QWidget;
class Ui;

// What the search works on, handed over by the main window.
struct SearchContext {
    QString dataDirectory;   // the own data folder (the lists and the memos)
    QString programDirectory;   // the archives
    Ui& ui;
    QWidget* mainWindow;   // the dialog is centred over it; may be null
    std::function<FileErrorHandler()> trap;
    // The memo file "メモ編集" opens: one value for the whole program.
    std::function<QString()> memoEditPath;
    std::function<void(const QString&)> setMemoEditPath;
};
