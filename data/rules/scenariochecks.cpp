#include "data/rules/scenariochecks.h"

#include "data/format/displaytext.h"
#include "data/format/fieldcatalogue.h"
#include "data/format/gbk.h"
#include "data/format/recordlabel.h"
#include "data/format/tablecells.h"

#include <QStringList>

#include <map>

namespace veldor {
namespace {

class Checker
{
public:
    Checker(const ScenarioTables& tables, const NameTables& names, FieldLabels labels)
        : t_(tables), names_(names), labels_(labels)
    {
    }

    std::vector<Finding> run()
    {
        sovereignsOutsideTheirLand();
        sovereignsOfSeveralForces();
        forcesWithoutCities();
        forcesWithSeveralStrategists();
        sovereignsOfWrongStanding();
        rulersWithoutForce();
        citiesOfEmptySlots();
        badCorpsOwners();
        placesOutsideTheirHoldersLand();
        valuesAboveMaximum();
        valuesOutOfRange();
        return std::move(findings_);
    }

private:
    QString label(TableId table, int index) const
    {
        return RecordLabelAs(labels_, t_, names_, table, index);
    }
    QString field(TableId table, const char* identifier) const
    {
        return FieldLabel(labels_, table, identifier);
    }
    // A force slot by its number alone: it has no sovereign to be named after.
    QString slot(int f) const
    {
        return labels_ == FieldLabels::Chinese ? QStringLiteral("势力 %1").arg(f)
                                               : QStringLiteral("forces[%1]").arg(f);
    }
    QString force(int f) const { return label(TableId::Forces, f); }
    QString person(int p) const { return label(TableId::Persons, p); }
    QString city(int c) const { return label(TableId::Cities, c); }

    bool occupied(uint16_t f) const { return isForce(f) && isPerson(t_.forces.King[f]); }

    void add(const char* kind, const QString& message, std::vector<RecordRef> records)
    {
        findings_.push_back({QString::fromLatin1(kind), message, std::move(records)});
    }

    QString standing(uint16_t degree) const
    {
        return degree <= kSpecial ? FromGbk(DegreeLabel(degree)).trimmed()
                                  : QStringLiteral("代码 %1").arg(degree);
    }

    // Who holds a city, as a phrase for the end of a message.
    QString ownerPhrase(uint16_t c) const
    {
        const uint16_t owner = t_.cities.Forc[c];
        return isForce(owner) ? QStringLiteral("该城属于 %1").arg(force(owner))
                              : QStringLiteral("该城不属于任何势力");
    }

    void sovereignsOutsideTheirLand()
    {
        for (int f = 0; f < kForces; ++f) {
            if (!occupied(uint16_t(f)))
                continue;
            const uint16_t king = t_.forces.King[f];
            const uint16_t c = t_.persons.City[king];
            if (isCity(c) && t_.cities.Forc[c] == f)
                continue;
            const QString where = isCity(c)
                                      ? QStringLiteral("在 %1，%2").arg(city(c), ownerPhrase(c))
                                      : QStringLiteral("不在任何城市（%1 = %2）")
                                            .arg(field(TableId::Persons, "City"))
                                            .arg(c);
            std::vector<RecordRef> refs{{TableId::Forces, f}, {TableId::Persons, king}};
            if (isCity(c))
                refs.push_back({TableId::Cities, c});
            add("sovereign-outside-own-land",
                QStringLiteral("%1 的君主 %2 %3").arg(force(f), person(king), where), refs);
        }
    }

    void sovereignsOfSeveralForces()
    {
        std::map<int, std::vector<int>> forcesOf;
        for (int f = 0; f < kForces; ++f)
            if (occupied(uint16_t(f)))
                forcesOf[t_.forces.King[f]].push_back(f);
        for (const auto& [king, forces] : forcesOf) {
            if (forces.size() < 2)
                continue;
            QStringList names;
            std::vector<RecordRef> refs{{TableId::Persons, king}};
            for (int f : forces) {
                names << force(f);
                refs.push_back({TableId::Forces, f});
            }
            add("sovereign-of-several-forces",
                QStringLiteral("%1 同时是 %2 的君主")
                    .arg(person(king), names.join(QStringLiteral("、"))),
                refs);
        }
    }

    void forcesWithoutCities()
    {
        bool hasCity[kForces] = {};
        for (int c = 0; c < kCities; ++c)
            if (isForce(t_.cities.Forc[c]))
                hasCity[t_.cities.Forc[c]] = true;
        for (int f = 0; f < kForces; ++f)
            if (occupied(uint16_t(f)) && !hasCity[f])
                add("force-without-city", QStringLiteral("%1 有君主，却没有城市").arg(force(f)),
                    {{TableId::Forces, f}});
    }

    void forcesWithSeveralStrategists()
    {
        std::vector<int> strategists[kForces];
        for (int p = 0; p < kPersons; ++p) {
            const uint16_t c = t_.persons.City[p];
            if (t_.persons.Degree[p] == kStrategist && isCity(c) && isForce(t_.cities.Forc[c]))
                strategists[t_.cities.Forc[c]].push_back(p);
        }
        for (int f = 0; f < kForces; ++f) {
            if (strategists[f].size() < 2)
                continue;
            QStringList names;
            std::vector<RecordRef> refs{{TableId::Forces, f}};
            for (int p : strategists[f]) {
                names << person(p);
                refs.push_back({TableId::Persons, p});
            }
            add("several-strategists",
                QStringLiteral("%1 有 %2 名军师：%3")
                    .arg(force(f))
                    .arg(strategists[f].size())
                    .arg(names.join(QStringLiteral("、"))),
                refs);
        }
    }

    void sovereignsOfWrongStanding()
    {
        for (int f = 0; f < kForces; ++f) {
            if (!occupied(uint16_t(f)))
                continue;
            const uint16_t king = t_.forces.King[f];
            const uint16_t degree = t_.persons.Degree[king];
            if (degree == kSovereign || degree == kCorpsCommander)
                continue;
            add("sovereign-standing",
                QStringLiteral("%1 的君主 %2 身份是“%3”，应为“君主”或“军团长”")
                    .arg(force(f), person(king), standing(degree)),
                {{TableId::Forces, f}, {TableId::Persons, king}});
        }
    }

    void rulersWithoutForce()
    {
        bool rules[kPersons] = {};
        for (int f = 0; f < kForces; ++f)
            if (occupied(uint16_t(f)))
                rules[t_.forces.King[f]] = true;
        for (int p = 0; p < kPersons; ++p)
            if (t_.persons.Degree[p] == kSovereign && !rules[p])
                add("sovereign-without-force",
                    QStringLiteral("%1 身份是“君主”，却不是任何势力的君主").arg(person(p)),
                    {{TableId::Persons, p}});
    }

    void citiesOfEmptySlots()
    {
        for (int c = 0; c < kCities; ++c) {
            const uint16_t owner = t_.cities.Forc[c];
            if (isForce(owner) && !occupied(owner))
                add("city-of-empty-force",
                    QStringLiteral("%1 属于空的势力槽 %2").arg(city(c), slot(owner)),
                    {{TableId::Cities, c}, {TableId::Forces, owner}});
        }
    }

    void badCorpsOwners()
    {
        for (int f = 0; f < kForces; ++f) {
            const uint16_t metro = t_.forces.Metro[f];
            if (!occupied(uint16_t(f)) || metro == f || occupied(metro))
                continue;
            const QString what = isForce(metro)
                                     ? QStringLiteral("军团归属 %1 是空的势力槽").arg(slot(metro))
                                 : labels_ == FieldLabels::Chinese
                                     ? QStringLiteral("军团归属 %1 不是势力").arg(metro)
                                     : QStringLiteral("军团归属 Metro = %1 不是势力").arg(metro);
            std::vector<RecordRef> refs{{TableId::Forces, f}};
            if (isForce(metro))
                refs.push_back({TableId::Forces, metro});
            add("bad-corps-owner", QStringLiteral("%1 的%2").arg(force(f), what), refs);
        }
    }

    void placesOutsideTheirHoldersLand()
    {
        for (int p = 0; p < kPlaces; ++p) {
            const uint16_t holder = t_.places.PlaceForc[p];
            const uint16_t c = t_.places.PlaceCity[p];
            if (!isForce(holder) || !isCity(c) || t_.cities.Forc[c] == holder)
                continue;
            add("place-outside-holder-land",
                QStringLiteral("%1 由 %2 占据，却在 %3 的地区，%4")
                    .arg(label(TableId::Places, p), force(holder), city(c), ownerPhrase(c)),
                {{TableId::Places, p}, {TableId::Forces, holder}, {TableId::Cities, c}});
        }
    }

    void valuesAboveMaximum()
    {
        const CityTable& c = t_.cities;
        struct Pair
        {
            const char* value;
            const uint16_t* current;
            const char* bound;
            const uint16_t* maximum;
        };
        const Pair pairs[] = {{"ShouYi", c.ShouYi, "MaxShouYi", c.MaxShouYi},
                              {"ShouHuo", c.ShouHuo, "MaxShouHuo", c.MaxShouHuo},
                              {"NaiJiu", c.NaiJiu, "MaxNaiJiu", c.MaxNaiJiu}};
        for (int k = 0; k < kCities; ++k)
            for (const Pair& pair : pairs)
                if (pair.current[k] > pair.maximum[k])
                    add("value-above-maximum",
                        QStringLiteral("%1 的 %2 = %3 大于 %4 = %5")
                            .arg(city(k), field(TableId::Cities, pair.value))
                            .arg(pair.current[k])
                            .arg(field(TableId::Cities, pair.bound))
                            .arg(pair.maximum[k]),
                        {{TableId::Cities, k}});
    }

    // Files from the game may hold such values on purpose: they are reported, never refused.
    void valuesOutOfRange()
    {
        for (TableId table : AllTables()) {
            const std::vector<CatalogueField>& fields = FieldCatalogue(table);
            for (int r = 0; r < TableRecords(table); ++r)
                for (const CatalogueField& f : fields) {
                    const int64_t value = ReadCell(t_, table, r, f.column);
                    if (IsAllowedValue(f, value))
                        continue;
                    const QString name = labels_ == FieldLabels::Chinese ? f.name : f.identifier;
                    add("value-out-of-range",
                        QStringLiteral("%1 的 %2 = %3 超出 %4")
                            .arg(label(table, r), name)
                            .arg(value)
                            .arg(AllowedValuesText(f)),
                        {{table, r}});
                }
        }
    }

    const ScenarioTables& t_;
    const NameTables& names_;
    const FieldLabels labels_;
    std::vector<Finding> findings_;
};

} // namespace

const std::vector<FindingKind>& FindingKinds()
{
    // A sovereign's standing is mended in the person editor, his land and slot in the force
    // editor; two strategists in the person editor, one of them at a time.
    static const std::vector<FindingKind> kinds = {
        {"sovereign-outside-own-land", "君主所在的城市不属于他的势力", 0},
        {"sovereign-of-several-forces", "一人同时是两个以上势力的君主", 1},
        {"force-without-city", "有君主却没有城市的势力", 0},
        {"several-strategists", "一个势力的人物中有不止一名军师", 1},
        {"sovereign-standing", "君主的身份既不是“君主”也不是“军团长”", 1},
        {"sovereign-without-force", "身份为“君主”却不统领任何势力的人物", 0},
        {"city-of-empty-force", "属于空势力槽的城市", 0},
        {"bad-corps-owner", "军团归属（Metro）是空势力槽或不是势力", 0},
        {"place-outside-holder-land", "占据者并不拥有其所在地区城市的据点", 1},
        {"value-above-maximum", "收益、收获、耐久大于各自的上限", 0},
        {"value-out-of-range", "编辑器不允许的值：超出范围或不是任何选项", 0},
    };
    return kinds;
}

const FindingKind* FindFindingKind(const QString& id)
{
    for (const FindingKind& kind : FindingKinds())
        if (id == QLatin1String(kind.id))
            return &kind;
    return nullptr;
}

RecordRef RecordToEdit(const Finding& finding)
{
    const FindingKind* kind = FindFindingKind(finding.kind);
    const size_t pick = kind ? size_t(kind->recordToEdit) : 0;
    return finding.records.at(pick < finding.records.size() ? pick : 0);
}

std::vector<Finding> CheckScenario(const ScenarioTables& tables, const NameTables& names,
                                   FieldLabels labels)
{
    return Checker(tables, names, labels).run();
}

} // namespace veldor
