#include "core/password.h"

#include "store/cp932.h"

std::optional<QByteArray> encodePassword(const QString& password)
{
    if (!cp932::canEncode(password))
        return std::nullopt;
    QByteArray line;
    const QByteArray bytes = cp932::encode(password);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        int code = b;
        // A lead byte: the two bytes make one code, lead byte high, as a signed
        // 16-bit number (so negative: every lead byte is 0x81 or more).
        const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        if (lead && i + 1 < bytes.size()) {
            code = static_cast<std::int16_t>((b << 8) | static_cast<unsigned char>(bytes[++i]));
        }
        const int value = code * 14 - 13;
        if (value >= 0)
            line += ' ';
        line += QByteArray::number(value);
        line += '\t';
    }
    return line;
}

PasswordRead readPasswordFile(const QString& path)
{
    const ReadResult r = readFile(path, Locking::None);
    PasswordRead read{r.status, {}};
    if (r.ok()) {
        qsizetype end = r.bytes.indexOf('\n');
        if (end < 0)
            end = r.bytes.size();
        if (end > 0 && r.bytes[end - 1] == '\r')
            --end;
        read.line = r.bytes.left(end);
    }
    return read;
}

FileStatus writePasswordFile(const QString& path, const QByteArray& line)
{
    return writeFile(path, line + "\r\n", Locking::None);
}

bool passwordMatches(const QString& typed, const QByteArray& storedLine)
{
    const std::optional<QByteArray> line = encodePassword(typed);
    return line && *line == storedLine;
}
