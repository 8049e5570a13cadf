// Any file long enough to hold the tables reads without error and, saved unchanged, comes back
// byte for byte: in memory and through the store's own open and save. Inputs shorter than a
// scenario are repeated until they are long enough, so small inputs reach every field too.

#include "data/format/scenariocodec.h"
#include "data/format/scenariolayout.h"
#include "data/session/scenariostore.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>
#include <memory>

namespace {

QByteArray scenarioBytes(const uint8_t* data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (bytes.size() >= veldor::layout::kMinFileSize)
        return bytes;
    const qsizetype length = veldor::layout::kMinFileSize + qsizetype(size % 64);
    QByteArray tiled;
    tiled.reserve(length);
    while (tiled.size() < length)
        tiled += bytes;
    tiled.truncate(length);
    return tiled;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    static QTemporaryDir dir;
    static const QString path = dir.filePath(QStringLiteral("D_Sce_fuzz.kqx"));
    static auto store = std::make_unique<veldor::ScenarioStore>();

    const QByteArray original = scenarioBytes(data, size);
    QByteArray bytes = original;
    DecodeScenario(bytes, *store);
    EncodeScenario(*store, bytes);
    if (bytes != original)
        std::abort();

    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(original) != original.size())
        std::abort();
    file.close();
    QString error;
    veldor::ReplaceOptions unsynced;
    unsynced.sync = false;
    store->File().SetReplaceOptions(unsynced);
    if (!store->Open(path, error) || !store->Save(error))
        std::abort();
    if (!file.open(QIODevice::ReadOnly) || file.readAll() != original)
        std::abort();
    return 0;
}
