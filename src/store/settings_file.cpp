#include "store/settings_file.h"

#include "store/cp932.h"
#include "store/list_file.h"

#include <QDir>

#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

namespace {

int toInt(const Field& f)
{
    return int(std::clamp<long long>(f.toNumber().value_or(0), std::numeric_limits<int>::min(),
                                     std::numeric_limits<int>::max()));
}

// The value lines of a settings image in file order; line 5 is never kept.
std::vector<Field*> lineFields(AppSettings& s)
{
    std::vector<Field*> lines{&s.banner,      &s.memoCounter, &s.reserved3,  &s.reserved4,    nullptr,
                              &s.windowState, &s.windowTop,   &s.windowLeft, &s.windowHeight, &s.windowWidth};
    for (Field& f : s.reserveTexts)
        lines.push_back(&f);
    for (Field& f : s.slotTexts)
        lines.push_back(&f);
    for (Member& m : s.members) {
        lines.push_back(&m.name);
        lines.push_back(&m.directory);
    }
    return lines;
}

}   // namespace

void AppSettings::setPlacement(const WindowPlacement& p)
{
    windowState = Field::number(p.state);
    windowTop = Field::number(p.top);
    windowLeft = Field::number(p.left);
    windowHeight = Field::number(p.height);
    windowWidth = Field::number(p.width);
}

WindowPlacement AppSettings::placement() const
{
    return {toInt(windowState), toInt(windowTop), toInt(windowLeft), toInt(windowHeight), toInt(windowWidth)};
}

QByteArray currentBanner() { return newListHeader(); }

int bannerMajorVersion(const Field& banner)
{
    const QString text = banner.text();
    if (text.size() < 10 || text.at(9) < QLatin1Char('0') || text.at(9) > QLatin1Char('9'))
        return 0;
    return text.at(9).unicode() - '0';
}

AppSettings newSettings(const QString& ownName, const QString& ownDirectory, const WindowPlacement& window)
{
    AppSettings s;
    s.banner = Field::fromBytes(currentBanner());
    s.memoCounter = Field::number(0);
    s.setPlacement(window);
    for (std::size_t i = 0; i < s.reserveTexts.size(); ++i)
        s.reserveTexts[i] = Field(QStringLiteral("予備%1").arg(i));
    const Field unused(QStringLiteral("未使用"));
    s.slotTexts.fill(unused);
    const Member free{Field(kFreeMemberName), Field(kFreeMemberDirectory)};
    s.members.fill(free);
    s.members[0] = {Field(ownName), ownDirectory.isEmpty() ? Field() : Field(withTrailingSeparator(ownDirectory))};
    return s;
}

AppSettings parseSettings(const QByteArray& bytes)
{
    LineCursor lines(bytes);
    auto take = [&] { return lines.atEnd() ? Field() : Field::fromBytes(lines.next()); };

    AppSettings s;
    s.banner = take();
    s.memoCounter = take();
    s.reserved3 = take();
    s.reserved4 = take();
    take();   // line 5: never kept
    s.windowState = take();
    s.windowTop = take();
    s.windowLeft = take();
    s.windowHeight = take();
    s.windowWidth = take();
    for (Field& f : s.reserveTexts)
        f = take();
    for (Field& f : s.slotTexts)
        f = take();
    for (Member& m : s.members) {
        m.name = take();
        m.directory = take();
    }
    while (!lines.atEnd())
        s.extraLines.append(lines.next().toByteArray());
    return s;
}

namespace {

// Calls put(line) for every line of the file in order; line 5 is always empty.
template <class Put> void forEachSettingsLine(const AppSettings& s, Put&& put)
{
    for (const Field* f : {&s.banner, &s.memoCounter, &s.reserved3, &s.reserved4})
        put(f->view());
    put(QByteArrayView());
    for (const Field* f : {&s.windowState, &s.windowTop, &s.windowLeft, &s.windowHeight, &s.windowWidth})
        put(f->view());
    for (const Field& f : s.reserveTexts)
        put(f.view());
    for (const Field& f : s.slotTexts)
        put(f.view());
    for (const Member& m : s.members) {
        put(m.name.view());
        put(m.directory.view());
    }
    for (const QByteArray& l : s.extraLines)
        put(QByteArrayView(l));
}

}   // namespace

QByteArray serializeSettings(const AppSettings& s)
{
    // Sized first, then filled: one buffer, nothing allocated per line.
    qsizetype size = 0;
    forEachSettingsLine(s, [&](QByteArrayView line) { size += line.size() + 2; });
    QByteArray out(size, Qt::Uninitialized);
    char* p = out.data();
    forEachSettingsLine(s, [&](QByteArrayView line) {
        if (!line.isEmpty()) {
            std::memcpy(p, line.data(), std::size_t(line.size()));
            p += line.size();
        }
        *p++ = '\r';
        *p++ = '\n';
    });
    Q_ASSERT(p == out.constData() + size);
    return out;
}

SettingsRead readSettings(const QString& path)
{
    const ReadResult r = readFile(path, Locking::None);
    SettingsRead out;
    out.status = r.status;
    if (r.ok()) {
        out.settings = parseSettings(r.bytes);
        for (LineCursor lines(r.bytes); !lines.atEnd(); lines.next())
            ++out.lineCount;
    }
    return out;
}

bool settingsUnderstood(const SettingsRead& read)
{
    return read.lineCount >= kSettingsLines && QDir::isAbsolutePath(read.settings.ownDirectory());
}

AppSettings salvageSettings(const SettingsRead& read)
{
    AppSettings salvaged = newSettings(QString(), QString(), read.settings.placement());
    AppSettings parsed = read.settings;
    const std::vector<Field*> from = lineFields(parsed);
    const std::vector<Field*> to = lineFields(salvaged);
    const std::size_t kept = std::min(std::size_t(std::max(read.lineCount, 0)), from.size());
    for (std::size_t i = 0; i < kept; ++i)
        if (from[i])
            *to[i] = *from[i];
    // A garbled folder is no folder: the user is asked for it again.
    if (!QDir::isAbsolutePath(salvaged.ownDirectory()))
        salvaged.members[0].directory = Field();
    salvaged.extraLines = parsed.extraLines;
    return salvaged;
}

void addMissingSeparators(AppSettings& settings)
{
    for (Member& m : settings.members) {
        const QString dir = m.directory.text();
        if (QDir::isAbsolutePath(dir) && withTrailingSeparator(dir) != dir)
            m.directory = Field(withTrailingSeparator(dir));
    }
}

FileStatus writeSettings(const QString& path, const AppSettings& settings)
{
    return writeFile(path, serializeSettings(settings), Locking::Exclusive);
}

bool isFreeSlot(const AppSettings& settings, int slot)
{
    // A line the file does not reach (a short file) holds nobody either.
    const QString name = settings.members[std::size_t(slot)].name.text();
    return slot > 0 && (name == kFreeMemberName || name.isEmpty());
}

QList<int> usedMemberSlots(const AppSettings& settings)
{
    QList<int> used;
    for (int k = 0; k < kMemberSlots; ++k)
        if (!isFreeSlot(settings, k))
            used << k;
    return used;
}

int firstFreeSlot(const AppSettings& settings)
{
    for (int k = 1; k < kMemberSlots; ++k)
        if (isFreeSlot(settings, k))
            return k;
    return 0;
}
