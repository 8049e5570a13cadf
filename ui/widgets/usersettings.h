#pragma once

#include <QSettings>

#include <memory>

namespace veldor {

// The editor's own settings (recent files, the table window's size), named here rather than
// taken from the application object, so that they stay the editor's whichever program (tests,
// screenshots) builds the windows.
std::unique_ptr<QSettings> UserSettings();

} // namespace veldor
