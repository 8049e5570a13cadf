#pragma once

#include <QByteArray>
#include <QString>

namespace veldor {

// GBK from the tables the build makes (gbktables.h), for a Qt without a GBK converter of its
// own. Converts exactly as FromGbk and ToGbk do with Qt's converters on Linux, invalid bytes and
// characters without a GBK code included.
QString FromGbkByTable(const QByteArray& bytes);
QByteArray ToGbkByTable(const QString& text);

} // namespace veldor
