#pragma once
// One running copy per program folder: two copies on one folder would
// overwrite each other's settings and archives. A second start asks the first
// to come to the front and ends; copies with other program folders (another
// user, a portable copy) run side by side.

#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;

class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString& programDir, QObject* parent = nullptr);
    ~SingleInstance() override;

    // This process holds the program folder. When it does not, the first copy
    // has been asked to come to the front.
    bool isFirst() const { return first_; }

signals:
    // A second start asked this copy to come to the front.
    void activationRequested();

private:
    std::unique_ptr<QLockFile> lock_;
    QLocalServer* server_ = nullptr;
    bool first_ = false;
};
