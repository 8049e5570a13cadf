#pragma once

#include <QString>

namespace veldor {

// Text from an outside file as a message may quote it: control characters (which a terminal
// would obey) written as \xHH or \u{HHHH}, and anything past kShownValueLength characters cut,
// saying how long it was.
constexpr int kShownValueLength = 40;
QString ShownValue(const QString& text);

// The same escaping without the cut, for whole messages.
QString WithoutControls(const QString& text);

} // namespace veldor
