#pragma once
// poruka.ini: 315 lines (banner, memo counter, window geometry, reserved texts
// and the member list of 100 slots, slot 0 being the user).

#include "store/field.h"
#include "store/file_access.h"

#include <QByteArrayList>
#include <QStringList>
#include <array>

inline const QString kSettingsFileName = QStringLiteral("poruka.ini");
inline const QString kPasswordFileName = QStringLiteral("poruka.pas");
inline const QString kFreeMemberName = QStringLiteral("－－－");
inline const QString kFreeMemberDirectory = QStringLiteral("指定無し");

constexpr int kSettingsLines = 315;
constexpr int kMemberSlots = 100;   // 0 = the user, 1..99 colleagues

struct Member {
    Field name;
    Field directory;   // ends with the separator; "指定無し" in a free slot
};

// The own name and data folder as 設定 → 自分 chose them.
struct OwnEntry {
    QString name;
    QString directory;   // ends with the separator
};

// A colleague's entry as 設定 → 他ﾒﾝﾊﾞｰ chose it.
struct MemberEntry {
    int slot = 0;   // 1 .. 99
    QString name;
    QString directory;   // ends with the separator
    bool remove = false;   // the slot is freed; name and directory unused
};

// Window state and geometry in twips, as lines 6 to 10 hold them.
struct WindowPlacement {
    int state = 0;   // 0 normal, 1 minimised, 2 maximised
    int top = 0, left = 0, height = 0, width = 0;
};

struct AppSettings {
    Field banner;
    Field memoCounter;
    Field reserved3, reserved4;   // kept as read; line 5 is always written empty
    Field windowState, windowTop, windowLeft, windowHeight, windowWidth;
    std::array<Field, 5> reserveTexts;
    std::array<Field, 100> slotTexts;
    std::array<Member, kMemberSlots> members;
    QByteArrayList extraLines;   // lines past 315, kept as read

    QString memberName(int k) const { return members[std::size_t(k)].name.text(); }
    QString memberDirectory(int k) const { return members[std::size_t(k)].directory.text(); }
    QString ownName() const { return memberName(0); }
    QString ownDirectory() const { return memberDirectory(0); }

    long long memoCounterValue() const { return memoCounter.toNumber().value_or(0); }
    // Lines 6 to 10; numbers beyond what an int holds are cut to its range.
    void setPlacement(const WindowPlacement& p);
    WindowPlacement placement() const;
};

// "@ぽるか VER.2.10" and the notice that follows it on line 1 of every file we create.
QByteArray currentBanner();
// The major version digit of a banner (its tenth character); 0 when there is none.
int bannerMajorVersion(const Field& banner);

// A first-run settings image for the given own entry.
AppSettings newSettings(const QString& ownName, const QString& ownDirectory, const WindowPlacement& window);

AppSettings parseSettings(const QByteArray& bytes);
QByteArray serializeSettings(const AppSettings& settings);

struct [[nodiscard]] SettingsRead {
    FileStatus status;
    AppSettings settings;
    int lineCount = 0;   // lines the file held
};
SettingsRead readSettings(const QString& path);

// A settings file the program can work from: all 315 lines, and an own data
// folder that is an absolute path. Anything less (an empty, cut or garbled
// file) must not be taken as it is: the data folder would be lost.
bool settingsUnderstood(const SettingsRead& read);
// What could be read of a settings file that was not understood, the missing
// lines filled as a new file has them.
AppSettings salvageSettings(const SettingsRead& read);
// Every member directory that is an absolute path ends with the separator
// (a folder typed or stored without it would otherwise run into the file name).
void addMissingSeparators(AppSettings& settings);
FileStatus writeSettings(const QString& path, const AppSettings& settings);

// Whether a colleague's slot holds nobody; the slots that hold someone, the
// user's (0) first; the first free colleague slot, 0 when all 99 are taken.
bool isFreeSlot(const AppSettings& settings, int slot);
QList<int> usedMemberSlots(const AppSettings& settings);
int firstFreeSlot(const AppSettings& settings);
