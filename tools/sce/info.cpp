#include "data/format/displaytext.h"
#include "data/format/gbk.h"
#include "data/session/scenariostore.h"
#include "tools/sce/sce.h"
#include "tools/sce/scecommand.h"
#include "tools/sce/scecommandline.h"
#include "tools/sce/scescenario.h"
#include "tools/sce/textfiles.h"

#include <QTextStream>

#include <algorithm>
#include <memory>

namespace veldor {
namespace {

// Pads by display width: a Chinese character takes two columns, as in the editor's lists.
QString padded(const QString& text, int columns)
{
    return text + QString(std::max(0, columns - int(ToGbk(text).size())), ' ');
}

int citiesOf(const ScenarioTables& t, int force)
{
    int count = 0;
    for (int c = 0; c < kCities; ++c)
        count += t.cities.Forc[c] == force;
    return count;
}

QString corpsText(const ForcTable& f, int force)
{
    const uint16_t metro = f.Metro[force];
    if (metro == force)
        return {};
    return isForce(metro) ? QStringLiteral("势力 %1 的军团").arg(metro)
                          : QStringLiteral("军团归属 %1（不是势力）").arg(metro);
}

void writeForces(const ScenarioTables& t, const NameTables& names, QTextStream& out)
{
    int occupied = 0;
    for (int f = 0; f < kForces; ++f)
        occupied += isPerson(t.forces.King[f]);
    out << QStringLiteral("势力：%1 个（空位 %2 个）\n").arg(occupied).arg(kForces - occupied);
    out << QStringLiteral("  编号  君主      城市  军团\n");
    for (int f = 0; f < kForces; ++f) {
        const uint16_t king = t.forces.King[f];
        if (!isPerson(king))
            continue;
        out << QString::number(f).rightJustified(6) << "  " << FromGbk(PrsnNameText(names, king))
            << QString::number(citiesOf(t, f)).rightJustified(6) << "  " << corpsText(t.forces, f)
            << '\n';
    }
    int unruled = 0;
    for (int c = 0; c < kCities; ++c)
        unruled += !isForce(t.cities.Forc[c]);
    out << QStringLiteral("无势力的城市：%1 个\n").arg(unruled);
}

void writeStandings(const ScenarioTables& t, QTextStream& out)
{
    constexpr int kCodes = kSpecial + 1;
    int counts[kCodes + 1] = {};
    for (int p = 0; p < kPersons; ++p)
        ++counts[std::min<int>(t.persons.Degree[p], kCodes)];
    out << QStringLiteral("人物身份：\n");
    for (int d = 0; d < kCodes; ++d)
        out << "  " << padded(FromGbk(DegreeLabel(uint16_t(d))).trimmed(), 6)
            << QString::number(counts[d]).rightJustified(4) << '\n';
    if (counts[kCodes] > 0)
        out << "  " << padded(QStringLiteral("其他"), 6)
            << QString::number(counts[kCodes]).rightJustified(4) << '\n';
}

} // namespace

int RunInfo(const QStringList& args, SceContext& context)
{
    const QString command = QStringLiteral("info");
    SceCommandLine line(command, QStringLiteral("显示剧本概况：文件大小、各势力的君主与城市数、"
                                                "各身份的人数。"));
    line.addFileArgument(QStringLiteral("FILE"), QStringLiteral("剧本文件"));
    int exitCode = kSceFailure;
    if (!line.parse(args, context, exitCode))
        return exitCode;

    auto store = std::make_unique<ScenarioStore>();
    qint64 size = 0;
    if (!SceReadScenario(command, line.file(0), *store, context, &size))
        return kSceFailure;
    SceLoadNames(command, store->Names(), context);
    QTextStream& out = context.out;
    out << QStringLiteral("文件：%1\n").arg(ShownInput(line.file(0)));
    out << QStringLiteral("大小：%1 字节\n").arg(size);
    writeForces(*store, store->Names(), out);
    writeStandings(*store, out);
    return kSceSuccess;
}

} // namespace veldor
