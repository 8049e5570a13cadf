#pragma once

#include <QString>

namespace veldor {

// How this program names itself where the windows' captions leave room for a community's name
// and address: it has no forum, so it names the project.
inline QString ProjectName()
{
    return QStringLiteral("veldor-editor");
}

} // namespace veldor
