#pragma once
// The folder list: the parent entry ".." (except at the root of the volume) and
// the subfolders of the current folder, by name. Double-click or Enter on an
// entry goes into it and raises pathChanged; a single click raises the view's
// clicked. Moving it from code (setPath, setRoot) raises nothing.

#include <QListWidget>
#include <QString>

class DirListBox : public QListWidget {
    Q_OBJECT
public:
    // Starts in the working directory.
    explicit DirListBox(QWidget* parent = nullptr);

    // False, and nothing changes, when dir is not a folder that can be read.
    // A folder outside the current volume takes its own volume's root.
    bool setPath(const QString& dir);
    // Moves to the root of a volume; going up stops there.
    bool setRoot(const QString& volumeRoot);

    // Native separators; no trailing separator except at a root.
    QString path() const;
    QString root() const;

signals:
    void pathChanged(const QString& path);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void enter(QListWidgetItem* item);
    void fill();
    bool atRoot() const;

    QString path_;   // absolute, cleaned, '/' separators
    QString root_;
};
