#pragma once

#include <QByteArray>
#include <QString>

namespace veldor {

// Every text of the program is GBK bytes (widths are counted in bytes); these two are the only
// place where it meets Unicode.
QString FromGbk(const QByteArray& bytes);
QByteArray ToGbk(const QString& text);

// Cuts `bytes` to at most `maxBytes` without splitting a double-byte character.
QByteArray CutGbk(const QByteArray& bytes, int maxBytes);

} // namespace veldor
