#pragma once
// The drive list: the volumes that can hold user data, one line per root.
// Setting the selection from code raises no change; the user's choice raises
// currentIndexChanged.

#include <QByteArray>
#include <QComboBox>
#include <QList>
#include <QStringList>

struct VolumeInfo {
    QString rootPath;
    QByteArray fileSystemType;
    bool valid = true;
    bool ready = true;
};

// The roots worth offering, sorted and without duplicates: valid, ready volumes
// that are neither pseudo or system file systems nor mounted under /proc, /sys,
// /dev, /run or /snap.
QStringList userVolumeRoots(const QList<VolumeInfo>& volumes);
// The root among `roots` that holds `path` (the longest one); empty when none does.
QString volumeRootOf(const QStringList& roots, const QString& path);

class DriveListBox : public QComboBox {
    Q_OBJECT
public:
    // Lists the mounted volumes and selects the one of the working directory.
    explicit DriveListBox(QWidget* parent = nullptr);

    void refresh();
    void setRoots(const QStringList& roots);   // selects the first one
    QStringList roots() const;

    QString rootPath() const;   // of the selection; empty when there is none
    bool selectRoot(const QString& root);
    bool selectRootOf(const QString& path);   // the volume holding path
};
