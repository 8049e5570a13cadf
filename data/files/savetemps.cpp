#include "data/files/savetemps.h"

#include <QFile>
#include <QRandomGenerator>

#include <cstring>

namespace veldor {
namespace {

constexpr char kPrefix[] = ".veldor-save-";
constexpr int kRandomLength = 6;
constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

} // namespace

QByteArray SaveTempPattern()
{
    return QByteArray(kPrefix) + QByteArray(kRandomLength, 'X');
}

QByteArray RandomSaveTempName()
{
    QByteArray name(kPrefix);
    for (int k = 0; k < kRandomLength; ++k)
        name += kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters) - 1)];
    return name;
}

bool IsSaveTempName(const QByteArray& name)
{
    const qsizetype prefixLength = qsizetype(sizeof kPrefix) - 1;
    if (name.size() != prefixLength + kRandomLength || !name.startsWith(kPrefix))
        return false;
    for (qsizetype k = prefixLength; k < name.size(); ++k)
        if (!std::strchr(kLetters, name[k]))
            return false;
    return true;
}

} // namespace veldor
