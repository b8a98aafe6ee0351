#include "store/settings_file.h"

#include "store/cp932.h"
#include "store/list_file.h"

namespace {

int toInt(const Field& f) { return int(f.toNumber().value_or(0)); }

}  // namespace

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
    const QByteArrayList lines = splitLines(bytes);
    qsizetype next = 0;
    auto take = [&] { return next < lines.size() ? Field::fromBytes(lines[next++]) : (++next, Field()); };

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
    if (next < lines.size())
        s.extraLines = lines.mid(next);
    return s;
}

QByteArray serializeSettings(const AppSettings& s)
{
    QByteArrayList lines;
    lines.reserve(kSettingsLines + s.extraLines.size());
    for (const Field* f : {&s.banner, &s.memoCounter, &s.reserved3, &s.reserved4})
        lines.append(f->bytes());
    lines.append(QByteArray());
    for (const Field* f : {&s.windowState, &s.windowTop, &s.windowLeft, &s.windowHeight, &s.windowWidth})
        lines.append(f->bytes());
    for (const Field& f : s.reserveTexts)
        lines.append(f.bytes());
    for (const Field& f : s.slotTexts)
        lines.append(f.bytes());
    for (const Member& m : s.members) {
        lines.append(m.name.bytes());
        lines.append(m.directory.bytes());
    }
    lines += s.extraLines;
    return joinLines(lines);
}

SettingsRead readSettings(const QString& path)
{
    const ReadResult r = readFile(path, Locking::None);
    SettingsRead out;
    out.status = r.status;
    if (r.ok())
        out.settings = parseSettings(r.bytes);
    return out;
}

FileStatus writeSettings(const QString& path, const AppSettings& settings)
{
    return writeFile(path, serializeSettings(settings), Locking::Exclusive);
}

QStringList memberNames(const AppSettings& settings)
{
    QStringList names;
    names.reserve(kMemberSlots);
    for (const Member& m : settings.members)
        names.append(m.name.text());
    return names;
}
