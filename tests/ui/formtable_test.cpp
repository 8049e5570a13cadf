// The table window through the real program: heads, sorting, filters, edits in place, copy and
// paste, and every change as one history step down to the saved file.

#include "editsfixture.h"

#include "support/scenariofiles.h"

#include "data/format/fieldcatalogue.h"
#include "data/format/nametables.h"
#include "data/format/recordlabel.h"
#include "data/format/scenariocodec.h"
#include "data/format/tablecells.h"
#include "ui/widgets/cachedtextdelegate.h"
#include "ui/widgets/frozentableview.h"
#include "ui/windows/formtable.h"

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

namespace veldor::test {
namespace {

constexpr int kTongShuai = 8; // column of 统率 in the persons' tab: 编号, 姓名, then the fields

// A scenario whose persons hold values the editors could have given them, in a few forces.
void sanePersons(ScenarioTables& t)
{
    for (int p = 0; p < kPersons; ++p) {
        t.persons.TongShuai[p] = uint16_t(p % 101);
        t.persons.WuLi[p] = uint16_t(100 - p % 101);
        t.persons.City[p] = uint16_t(p % kCities);
        t.persons.Degree[p] = kOfficer;
    }
    for (int f = 0; f < kForces; ++f)
        t.forces.King[f] = kNone;
    t.forces.King[3] = 7;
    t.persons.Degree[7] = kSovereign;
}

class TableWindow : public MapWindow
{
protected:
    void SetUp() override
    {
        MapWindow::SetUp();
        path = writeScenario(QStringLiteral("D_Sce02.kqx"), 21, sanePersons);
        openThroughDialog(path);
        map->findChild<QAction*>(QStringLiteral("TableAction"))->trigger();
        table = map->findChild<TFTable*>();
        ASSERT_NE(table, nullptr);
        ASSERT_TRUE(table->isVisible());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(table));
        table->findChild<QTabWidget*>(QStringLiteral("TableTabs"))->setCurrentIndex(0);
        persons = table->View(TableId::Persons);
        ASSERT_EQ(persons->objectName(), QStringLiteral("TableView_Persons"));
    }

    QLineEdit* filter() const
    {
        return table->findChild<QLineEdit*>(QStringLiteral("TableFilter"));
    }
    QString status() const
    {
        return table->findChild<QLabel*>(QStringLiteral("TableStatus"))->text();
    }
    QString count() const
    {
        return table->findChild<QLabel*>(QStringLiteral("TableCount"))->text();
    }
    QString cell(int row, int column) const
    {
        return persons->model()->index(row, column).data().toString();
    }
    // The record shown in `row`, by its number column.
    int recordAt(int row) const { return cell(row, 0).toInt(); }
    QAction* action(const QString& name) const { return map->findChild<QAction*>(name); }

    void select(int row, int column,
                QItemSelectionModel::SelectionFlags how = QItemSelectionModel::ClearAndSelect)
    {
        const QModelIndex index = persons->model()->index(row, column);
        persons->selectionModel()->setCurrentIndex(index, how);
    }
    // Types `text` into the current cell as a user does, and ends with `end`.
    void type(const QString& text, Qt::KeyboardModifiers endModifiers = {})
    {
        QTest::keyClick(persons, text.at(0).toLatin1());
        QWidget* editor = persons->indexWidget(persons->currentIndex());
        ASSERT_NE(editor, nullptr);
        QTest::keyClicks(editor, text.mid(1));
        QTest::keyClick(editor, Qt::Key_Return, endModifiers);
        QCoreApplication::processEvents(); // the delegate commits in a queued call
    }
    void clickHead(int column)
    {
        QHeaderView* head = persons->horizontalHeader();
        persons->scrollTo(persons->model()->index(0, column));
        QTest::mouseClick(head->viewport(), Qt::LeftButton, {},
                          QPoint(head->sectionViewportPosition(column) + 5, head->height() / 2));
    }

    QString path;
    TFTable* table = nullptr;
    FrozenTableView* persons = nullptr;
};

TEST_F(TableWindow, ShowsEveryTableWithCatalogueHeadsAndFrozenNumberAndName)
{
    auto* tabs = table->findChild<QTabWidget*>(QStringLiteral("TableTabs"));
    QStringList titles;
    for (int k = 0; k < tabs->count(); ++k)
        titles << tabs->tabText(k);
    EXPECT_EQ(titles, QStringList({"武将", "城市", "势力", "宝物", "据点"}));
    EXPECT_EQ(table->windowTitle(), QStringLiteral("表格编辑"));

    for (TableId id : AllTables()) {
        QAbstractItemModel* model = table->View(id)->model();
        const auto& catalogue = FieldCatalogue(id);
        ASSERT_EQ(model->columnCount(), int(catalogue.size()) + 2);
        EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("编号"));
        for (size_t k = 0; k < catalogue.size(); ++k)
            EXPECT_EQ(model->headerData(int(k) + 2, Qt::Horizontal).toString(), catalogue[k].name);
    }
    EXPECT_EQ(persons->model()->headerData(kTongShuai, Qt::Horizontal), QStringLiteral("统率"));
    // A choice shows its text: person 3 stands in city 3.
    const int cityColumn = 2 + CatalogueColumn(TableId::Persons, QStringLiteral("City"));
    EXPECT_EQ(cell(3, cityColumn), ValueText(CatalogueEntry(TableId::Persons, cityColumn - 2), 3,
                                             map->Store(), map->Store().Names()));
    EXPECT_EQ(cell(12, 1), RecordName(map->Store(), map->Store().Names(), TableId::Persons, 12));

    // Scrolled to the far right, the number and name are still painted at the left edge.
    persons->scrollTo(persons->model()->index(0, persons->model()->columnCount() - 1));
    QTableView* frozen = persons->FrozenPart();
    EXPECT_TRUE(frozen->isVisible());
    EXPECT_EQ(frozen->geometry().left(), persons->viewport()->geometry().left());
    EXPECT_EQ(frozen->width(), persons->columnWidth(0) + persons->columnWidth(1));
    EXPECT_TRUE(frozen->isColumnHidden(2));
}

TEST_F(TableWindow, HeadSortsAscendingThenDescendingWithoutChangingTheStore)
{
    const QByteArray before = storeBytes();
    clickHead(kTongShuai);
    EXPECT_EQ(persons->horizontalHeader()->sortIndicatorSection(), kTongShuai);
    EXPECT_EQ(persons->horizontalHeader()->sortIndicatorOrder(), Qt::AscendingOrder);
    EXPECT_TRUE(persons->horizontalHeader()->isSortIndicatorShown());
    EXPECT_EQ(cell(0, kTongShuai), QStringLiteral("0"));
    EXPECT_EQ(cell(799, kTongShuai), QStringLiteral("100"));
    clickHead(kTongShuai);
    EXPECT_EQ(persons->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
    EXPECT_EQ(cell(0, kTongShuai), QStringLiteral("100"));
    EXPECT_EQ(cell(799, kTongShuai), QStringLiteral("0"));
    EXPECT_EQ(storeBytes(), before);
}

TEST_F(TableWindow, SortKeepsRecordOrderAmongEqualValuesAndNamesByLocale)
{
    clickHead(kTongShuai);
    for (int row = 1; row < 800; ++row)
        if (cell(row, kTongShuai) == cell(row - 1, kTongShuai)) {
            ASSERT_LT(cell(row - 1, 0).toInt(), cell(row, 0).toInt()) << row;
        }
    clickHead(1);
    for (int row = 1; row < 800; ++row)
        ASSERT_LE(cell(row - 1, 1).localeAwareCompare(cell(row, 1)), 0) << row;
}

TEST_F(TableWindow, EditedValueUnderTheSortedHeadMovesItsRow)
{
    clickHead(kTongShuai);
    const QString record = cell(0, 0);
    ASSERT_TRUE(persons->model()->setData(persons->model()->index(0, kTongShuai), "100"));
    EXPECT_NE(cell(0, 0), record);
    EXPECT_EQ(cell(799, 0), record);
}

TEST_F(TableWindow, FilterKeepsRowsByNameNumberAndEachOperator)
{
    const auto kept = [this](const QString& text) {
        filter()->setText(text);
        EXPECT_TRUE(status().isEmpty()) << text.toStdString() << status().toStdString();
        return persons->model()->rowCount();
    };
    const auto counted = [](const std::function<bool(int p)>& keep) {
        int n = 0;
        for (int p = 0; p < kPersons; ++p)
            n += keep(p) ? 1 : 0;
        return n;
    };
    EXPECT_EQ(count(), QStringLiteral("显示 800 / 800"));
    EXPECT_EQ(kept("统率>90"), counted([](int p) { return p % 101 > 90; }));
    EXPECT_EQ(count(), QStringLiteral("显示 %1 / 800").arg(persons->model()->rowCount()));
    EXPECT_EQ(kept("统率>=90"), counted([](int p) { return p % 101 >= 90; }));
    EXPECT_EQ(kept("统率<5"), counted([](int p) { return p % 101 < 5; }));
    EXPECT_EQ(kept("统率 <= 5"), counted([](int p) { return p % 101 <= 5; }));
    EXPECT_EQ(kept("统率!=0"), counted([](int p) { return p % 101 != 0; }));
    EXPECT_EQ(kept("统率=7 武力=93"), counted([](int p) { return p % 101 == 7; }));
    EXPECT_EQ(kept("统率=7 武力=94"), 0);
    const CatalogueField& city =
        CatalogueEntry(TableId::Persons, CatalogueColumn(TableId::Persons, QStringLiteral("City")));
    const QString cityName = ValueText(city, 9, map->Store(), map->Store().Names());
    EXPECT_EQ(kept(QStringLiteral("%1=%2").arg(city.name, cityName)),
              counted([](int p) { return p % kCities == 9; }));
    EXPECT_EQ(kept(QStringLiteral("12")), counted([this](int p) {
                  return p == 12 ||
                         RecordName(map->Store(), map->Store().Names(), TableId::Persons, p)
                             .contains(QStringLiteral("12"));
              }));
    EXPECT_EQ(recordAt(0), 12);
    const QString name = RecordName(map->Store(), map->Store().Names(), TableId::Persons, 40);
    kept(name);
    bool found = false;
    for (int row = 0; row < persons->model()->rowCount(); ++row) {
        EXPECT_TRUE(cell(row, 1).contains(name));
        found = found || recordAt(row) == 40;
    }
    EXPECT_TRUE(found);
}

TEST_F(TableWindow, CountFollowsARowThatAnEditTakesOutOfTheFilter)
{
    filter()->setText(QStringLiteral("统率>90"));
    const int rows = persons->model()->rowCount();
    select(0, kTongShuai);
    type(QStringLiteral("5"));
    EXPECT_EQ(persons->model()->rowCount(), rows - 1);
    EXPECT_EQ(count(), QStringLiteral("显示 %1 / 800").arg(rows - 1));
}

// The frozen number and name columns are painted from the table's cache of text lines too.
TEST_F(TableWindow, FrozenCellsPaintFromTheCache)
{
    auto* cache = qobject_cast<CachedTextDelegate*>(persons->itemDelegate());
    ASSERT_NE(cache, nullptr);
    const int before = cache->cachedPaints();
    persons->FrozenPart()->viewport()->repaint();
    EXPECT_GT(cache->cachedPaints(), before);
}

TEST_F(TableWindow, UnreadableFilterTurnsRedSaysWhyAndKeepsTheRows)
{
    filter()->setText(QStringLiteral("统率>90"));
    const int rows = persons->model()->rowCount();
    const QColor normal = filter()->palette().color(QPalette::Base);
    for (const QString& bad : {QStringLiteral("统率>abc"), QStringLiteral("没有>3"),
                               QStringLiteral("统率>"), QStringLiteral("统率>9 =3")}) {
        filter()->setText(bad);
        EXPECT_FALSE(status().isEmpty()) << bad.toStdString();
        EXPECT_NE(filter()->palette().color(QPalette::Base), normal) << bad.toStdString();
        EXPECT_EQ(persons->model()->rowCount(), rows) << bad.toStdString();
    }
    filter()->setText(QStringLiteral("统率>90"));
    EXPECT_EQ(filter()->palette().color(QPalette::Base), normal);
    EXPECT_TRUE(status().isEmpty());
}

TEST_F(TableWindow, TypedCellIsOneNamedStepThatUndoTakesBack)
{
    select(5, kTongShuai);
    type(QStringLiteral("77"));
    EXPECT_EQ(map->Store().persons.TongShuai[5], 77);
    ASSERT_EQ(map->History().Steps().size(), 1u);
    EXPECT_EQ(map->History().Steps()[0].title,
              QStringLiteral("表格修改：武将 %1 统率")
                  .arg(RecordName(map->Store(), map->Store().Names(), TableId::Persons, 5)));
    EXPECT_TRUE(map->windowTitle().endsWith(QStringLiteral(" *")));
    action(QStringLiteral("UndoAction"))->trigger();
    EXPECT_EQ(map->Store().persons.TongShuai[5], 5);
    EXPECT_EQ(cell(5, kTongShuai), QStringLiteral("5"));
    EXPECT_FALSE(map->windowTitle().endsWith(QStringLiteral(" *")));
}

TEST_F(TableWindow, ValueOutsideTheBoundsIsRefusedWithTheReason)
{
    select(5, kTongShuai);
    type(QStringLiteral("300"));
    EXPECT_EQ(map->Store().persons.TongShuai[5], 5);
    EXPECT_TRUE(map->History().Steps().empty());
    EXPECT_TRUE(status().contains(QStringLiteral("0..255"))) << status().toStdString();
    // A year is refused with the bounds as the cells show years.
    select(5, 2 + CatalogueColumn(TableId::Persons, QStringLiteral("BornYear")));
    type(QStringLiteral("2100"));
    EXPECT_TRUE(status().contains(QStringLiteral("130..2003"))) << status().toStdString();
    EXPECT_TRUE(map->History().Steps().empty());
}

TEST_F(TableWindow, RuledFieldsAreShownNotEditedAndNameTheirEditor)
{
    QAbstractItemModel* forces = table->View(TableId::Forces)->model();
    const int king = 2 + CatalogueColumn(TableId::Forces, QStringLiteral("King"));
    EXPECT_FALSE(forces->flags(forces->index(3, king)).testFlag(Qt::ItemIsEditable));
    EXPECT_TRUE(forces->index(3, king)
                    .data(Qt::ToolTipRole)
                    .toString()
                    .contains(QStringLiteral("修改势力")));
    // The sovereign's standing is his force's business; another person's is not.
    const int degree = 2 + CatalogueColumn(TableId::Persons, QStringLiteral("Degree"));
    EXPECT_FALSE(
        persons->model()->flags(persons->model()->index(7, degree)).testFlag(Qt::ItemIsEditable));
    EXPECT_TRUE(
        persons->model()->flags(persons->model()->index(8, degree)).testFlag(Qt::ItemIsEditable));
    for (const QString& ruled : {QStringLiteral("0"), QStringLiteral("军团长")})
        EXPECT_FALSE(persons->model()->setData(persons->model()->index(8, degree), ruled))
            << ruled.toStdString();
    EXPECT_EQ(map->Store().persons.Degree[8], kOfficer);
    // A corps' owner and a city's owner are changed with their rules too.
    const int metro = 2 + CatalogueColumn(TableId::Forces, QStringLiteral("Metro"));
    EXPECT_FALSE(forces->flags(forces->index(3, metro)).testFlag(Qt::ItemIsEditable));
    QAbstractItemModel* cities = table->View(TableId::Cities)->model();
    const int owner = 2 + CatalogueColumn(TableId::Cities, QStringLiteral("Forc"));
    EXPECT_FALSE(cities->flags(cities->index(3, owner)).testFlag(Qt::ItemIsEditable));

    // Nor does a paste change them.
    table->findChild<QTabWidget*>(QStringLiteral("TableTabs"))->setCurrentIndex(2);
    QTableView* forceView = table->View(TableId::Forces);
    forceView->selectionModel()->setCurrentIndex(forces->index(3, king),
                                                 QItemSelectionModel::ClearAndSelect);
    EXPECT_FALSE(table->PasteText(QStringLiteral("8\n")));
    EXPECT_EQ(map->Store().forces.King[3], 7);
    EXPECT_TRUE(status().contains(QStringLiteral("修改势力"))) << status().toStdString();
}

TEST_F(TableWindow, CtrlEnterFillsTheSelectedCellsOfTheColumnInOneStep)
{
    select(2, kTongShuai);
    select(4, kTongShuai, QItemSelectionModel::Select);
    select(9, kTongShuai, QItemSelectionModel::Select);
    type(QStringLiteral("55"), Qt::ControlModifier);
    for (int p : {2, 4, 9})
        EXPECT_EQ(map->Store().persons.TongShuai[p], 55) << p;
    EXPECT_EQ(map->Store().persons.TongShuai[3], 3);
    ASSERT_EQ(map->History().Steps().size(), 1u);
    action(QStringLiteral("UndoAction"))->trigger();
    for (int p : {2, 4, 9})
        EXPECT_EQ(map->Store().persons.TongShuai[p], p) << p;

    // One cell the table may not change refuses the whole fill: 7 is a sovereign.
    const int degree = 2 + CatalogueColumn(TableId::Persons, QStringLiteral("Degree"));
    select(7, degree);
    select(6, degree, QItemSelectionModel::Select);
    QTest::keyClick(persons, Qt::Key_F2);
    auto* choices = qobject_cast<QComboBox*>(persons->indexWidget(persons->currentIndex()));
    ASSERT_NE(choices, nullptr);
    choices->setCurrentText(QStringLiteral("在野"));
    QTest::keyClick(choices, Qt::Key_Return, Qt::ControlModifier);
    QCoreApplication::processEvents();
    EXPECT_EQ(map->Store().persons.Degree[6], kOfficer);
    EXPECT_EQ(map->Store().persons.Degree[7], kSovereign);
    EXPECT_EQ(map->History().Position(), 0u);
    EXPECT_TRUE(status().contains(QStringLiteral("修改势力"))) << status().toStdString();
}

TEST_F(TableWindow, FillAndPasteLandOnTheRecordsShownWhenFiltered)
{
    filter()->setText(QStringLiteral("统率>=99"));
    ASSERT_EQ(recordAt(0), 99);
    ASSERT_EQ(recordAt(1), 100);
    ASSERT_EQ(recordAt(2), 200);
    select(0, kTongShuai + 1);
    ASSERT_TRUE(table->PasteText(QStringLiteral("40\n41\n"))) << status().toStdString();
    select(1, kTongShuai + 1);
    select(2, kTongShuai + 1, QItemSelectionModel::Select);
    type(QStringLiteral("33"), Qt::ControlModifier);
    const auto& wuLi = map->Store().persons.WuLi;
    EXPECT_EQ(wuLi[99], 40);
    EXPECT_EQ(wuLi[100], 33);
    EXPECT_EQ(wuLi[200], 33);
    for (int p : {0, 1, 2})
        EXPECT_EQ(wuLi[p], 100 - p) << p;
}

TEST_F(TableWindow, AnotherTabIsFilteredByTheSameText)
{
    filter()->setText(QStringLiteral("12"));
    table->findChild<QTabWidget*>(QStringLiteral("TableTabs"))->setCurrentIndex(1);
    QAbstractItemModel* cities = table->View(TableId::Cities)->model();
    ASSERT_LT(cities->rowCount(), kCities);
    EXPECT_EQ(cities->index(0, 0).data().toInt(), 12);
    EXPECT_EQ(count(), QStringLiteral("显示 %1 / %2").arg(cities->rowCount()).arg(kCities));
}

// Force names are their sovereigns' names: a condition typed after another person became the
// sovereign reads the new name, and no longer the old one.
TEST_F(TableWindow, ConditionReadsTheNamesTheStoreHasNow)
{
    table->findChild<QTabWidget*>(QStringLiteral("TableTabs"))->setCurrentIndex(1);
    QAbstractItemModel* cities = table->View(TableId::Cities)->model();
    const CatalogueField& force =
        CatalogueEntry(TableId::Cities, CatalogueColumn(TableId::Cities, QStringLiteral("Forc")));
    const auto forceName = [&] { return ValueText(force, 3, map->Store(), map->Store().Names()); };
    for (int c = 0; c < kCities; ++c)
        map->Store().cities.Forc[c] = uint16_t(c % 5 == 0 ? 3 : kNone);
    map->EditorApplied(EditorKind::City);
    filter()->setText(QStringLiteral("%1=%2").arg(force.name, forceName()));
    EXPECT_EQ(cities->rowCount(), kCities / 5) << status().toStdString();

    const QString oldName = forceName();
    map->Store().forces.King[3] = 9;
    map->Store().persons.Degree[9] = kSovereign;
    map->EditorApplied(EditorKind::Force);
    filter()->clear();
    filter()->setText(QStringLiteral("%1=%2").arg(force.name, oldName));
    EXPECT_FALSE(status().isEmpty());
    filter()->setText(QStringLiteral("%1=%2").arg(force.name, forceName()));
    EXPECT_TRUE(status().isEmpty()) << status().toStdString();
    EXPECT_EQ(cities->rowCount(), kCities / 5);
}

TEST_F(TableWindow, CopiesTheSelectionWithHeadsAndPastesItBackChecked)
{
    select(10, kTongShuai);
    select(11, kTongShuai + 1, QItemSelectionModel::Select);
    select(11, kTongShuai, QItemSelectionModel::Select);
    select(10, kTongShuai + 1, QItemSelectionModel::Select);
    EXPECT_EQ(table->SelectionText(), QStringLiteral("统率\t武力\n10\t90\n11\t89\n"));

    // Good: the copied heads are skipped, the values land from the current cell on.
    select(20, kTongShuai);
    ASSERT_TRUE(table->PasteText(QStringLiteral("统率\t武力\r\n10\t90\r\n11\t89\r\n")));
    EXPECT_EQ(map->Store().persons.TongShuai[21], 11);
    EXPECT_EQ(map->Store().persons.WuLi[20], 90);
    ASSERT_EQ(map->History().Steps().size(), 1u);
    EXPECT_EQ(map->History().Steps()[0].title, QStringLiteral("表格粘贴：4 个单元格"));
    action(QStringLiteral("UndoAction"))->trigger();
    EXPECT_EQ(map->Store().persons.TongShuai[21], 21);

    // One bad value or a paste past the edge refuses the whole paste.
    const QByteArray before = storeBytes();
    EXPECT_FALSE(table->PasteText(QStringLiteral("1\t2\n3\t999\n")));
    EXPECT_TRUE(status().contains(QStringLiteral("第 2 行")) &&
                status().contains(QStringLiteral("武力")))
        << status().toStdString();
    select(799, kTongShuai);
    EXPECT_FALSE(table->PasteText(QStringLiteral("1\n2\n")));
    EXPECT_TRUE(status().contains(QStringLiteral("超出"))) << status().toStdString();
    select(0, persons->model()->columnCount() - 1);
    EXPECT_FALSE(table->PasteText(QStringLiteral("1\t1\n")));
    EXPECT_EQ(storeBytes(), before);
    EXPECT_EQ(map->History().Position(), 0u);
}

TEST_F(TableWindow, PastesWholeRowsBackAndUpToTheLastRowAndColumn)
{
    // Rows copied with their number and name and edited elsewhere: only the edit is written.
    QStringList row;
    for (int column = 0; column < kTongShuai; ++column)
        row << cell(10, column);
    select(10, 0);
    ASSERT_TRUE(table->PasteText(row.join(u'\t') + QStringLiteral("\t77\n")))
        << status().toStdString();
    EXPECT_EQ(map->Store().persons.TongShuai[10], 77);

    const int last = persons->model()->columnCount() - 1;
    select(798, last - 1);
    ASSERT_TRUE(table->PasteText(QStringLiteral("1\t0\n0\t1\n"))) << status().toStdString();
    EXPECT_EQ(cell(798, last - 1), QStringLiteral("1"));
    EXPECT_EQ(cell(798, last), QStringLiteral("0"));
    EXPECT_EQ(cell(799, last - 1), QStringLiteral("0"));
    EXPECT_EQ(cell(799, last), QStringLiteral("1"));
}

TEST_F(TableWindow, FollowsTheEditorsAndUndoAndSavesExactlyTheEdits)
{
    const QByteArray original = ReadBytes(path);
    select(6, kTongShuai);
    type(QStringLiteral("66"));
    // A change made elsewhere shows at once.
    map->Store().persons.WuLi[6] = 12;
    map->EditorApplied(EditorKind::Person);
    EXPECT_EQ(cell(6, kTongShuai + 1), QStringLiteral("12"));
    action(QStringLiteral("UndoAction"))->trigger();
    EXPECT_EQ(cell(6, kTongShuai + 1), QString::number(100 - 6));

    saveThroughButton();
    QByteArray expected = original;
    auto tables = std::make_unique<ScenarioTables>();
    DecodeScenario(original, *tables);
    tables->persons.TongShuai[6] = 66;
    EncodeScenario(*tables, expected);
    EXPECT_EQ(ReadBytes(path), expected);
}

TEST_F(TableWindow, RemembersSizeTabAndColumnWidths)
{
    table->resize(700, 500);
    table->findChild<QTabWidget*>(QStringLiteral("TableTabs"))->setCurrentIndex(2);
    table->View(TableId::Forces)->setColumnWidth(3, 123);
    table->close();
    TFTable again(map->Store());
    EXPECT_EQ(again.size(), QSize(700, 500));
    EXPECT_EQ(again.findChild<QTabWidget*>(QStringLiteral("TableTabs"))->currentIndex(), 2);
    EXPECT_EQ(again.View(TableId::Forces)->columnWidth(3), 123);
}

TEST_F(TableWindow, TabShownLaterGetsItsRememberedWidthsAndUnshownTabsKeepThem)
{
    table->View(TableId::Cities)->setColumnWidth(3, 77);
    table->close();
    {
        // Opened on the first tab: the cities tab is neither shown nor made before closing.
        TFTable unshown(map->Store());
        unshown.show();
        unshown.close();
    }
    TFTable again(map->Store());
    again.show();
    auto* tabs = again.findChild<QTabWidget*>(QStringLiteral("TableTabs"));
    tabs->setCurrentIndex(1);
    ASSERT_NE(again.findChild<FrozenTableView*>(QStringLiteral("TableView_Cities")), nullptr);
    EXPECT_EQ(again.View(TableId::Cities)->columnWidth(3), 77);
    EXPECT_TRUE(again.View(TableId::Cities)->isVisible());
    EXPECT_EQ(again.View(TableId::Cities)->horizontalHeader()->sortIndicatorSection(), -1);
}

} // namespace
} // namespace veldor::test
