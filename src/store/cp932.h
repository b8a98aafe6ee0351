#pragma once
// Code page 932 (Shift_JIS as Windows maps it) in both directions.
//
// decode: every byte sequence decodes; a byte that is not valid code page 932
// becomes U+FFFD, so display never fails. Callers that must keep bytes keep the
// bytes (see Field), not the decoded text.
// encode: a character with several codes gets the one Windows writes (JIS X 0208
// first, then NEC row 13, then the IBM extensions, never the NEC-selected IBM
// extensions); a character with no code becomes '?'.

#include <QByteArray>
#include <QString>

namespace cp932 {

QString decode(const char* data, qsizetype size);
inline QString decode(const QByteArray& bytes) { return decode(bytes.constData(), bytes.size()); }
QByteArray encode(QStringView text);
// True when every character of the text has a code page 932 code.
bool canEncode(QStringView text);

}   // namespace cp932
