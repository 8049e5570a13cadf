#pragma once

#include <QString>

namespace veldor {

// The system's own words for an errno value, for messages that name the real reason.
QString SystemReason(int error);

} // namespace veldor
