#include "ui/widgets/usersettings.h"

namespace veldor {

std::unique_ptr<QSettings> UserSettings()
{
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       QStringLiteral("veldor"), QStringLiteral("veldor-editor"));
}

} // namespace veldor
