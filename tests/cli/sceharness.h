#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace veldor::test {

struct SceResult
{
    int code = -1;
    QString out;
    QString err;
};

// Runs veldor-sce in-process with captured streams, looking for name lists in `nameListDirs`;
// `input` is what "-" reads.
SceResult RunSceCaptured(const QStringList& args, const QStringList& nameListDirs,
                         const QByteArray& input = {});

// A temporary folder holding name lists of known words: person k is "张k", city k is "城k".
class KnownNameLists
{
public:
    KnownNameLists();
    QString dir() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
};

} // namespace veldor::test
