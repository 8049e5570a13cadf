#include "cli/sceharness.h"

#include "data/format/gbk.h"
#include "support/scenariofiles.h"
#include "tools/sce/sce.h"

#include <QBuffer>
#include <QTextStream>

namespace veldor::test {

SceResult RunSceCaptured(const QStringList& args, const QStringList& nameListDirs,
                         const QByteArray& input)
{
    SceResult result;
    QTextStream out(&result.out);
    QTextStream err(&result.err);
    QBuffer in;
    in.setData(input);
    in.open(QIODevice::ReadOnly);
    SceContext context{out, err, nameListDirs, &in};
    result.code = RunSce(args, context);
    out.flush();
    err.flush();
    return result;
}

namespace {

QByteArray numberedWords(const QString& stem, int count)
{
    QString text;
    for (int k = 0; k < count; ++k)
        text += stem + QString::number(k) + '\n';
    return ToGbk(text);
}

} // namespace

KnownNameLists::KnownNameLists()
{
    WriteBytes(dir_.filePath(QStringLiteral("name.txt")), numberedWords(QStringLiteral("张"), 702));
    WriteBytes(dir_.filePath(QStringLiteral("face.txt")), numberedWords(QStringLiteral("f"), 686));
    WriteBytes(dir_.filePath(QStringLiteral("city.txt")), numberedWords(QStringLiteral("城"), 50));
}

} // namespace veldor::test
