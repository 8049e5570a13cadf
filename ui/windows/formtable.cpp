#include "ui/windows/formtable.h"

#include "data/format/fieldcatalogue.h"
#include "data/format/tablecells.h"
#include "data/format/tabletext.h"
#include "data/session/scenariostore.h"
#include "ui/widgets/fonts.h"
#include "ui/widgets/frozentableview.h"
#include "ui/widgets/tabledelegate.h"
#include "ui/widgets/tablemodel.h"
#include "ui/widgets/tableproxy.h"
#include "ui/widgets/textwidths.h"
#include "ui/widgets/usersettings.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

#include <set>

namespace veldor {
namespace {

const QString kSettingsGroup = QStringLiteral("TableWindow");
// Choice columns are made as wide as their widest choice when they have at most this many;
// longer lists (persons) are names of about the same width.
constexpr int kMeasuredChoices = 100;

const char* viewName(TableId table)
{
    switch (table) {
    case TableId::Persons:
        return "TableView_Persons";
    case TableId::Cities:
        return "TableView_Cities";
    case TableId::Forces:
        return "TableView_Forces";
    case TableId::Items:
        return "TableView_Items";
    case TableId::Places:
        return "TableView_Places";
    }
    return "";
}

} // namespace

TFTable::TFTable(ScenarioStore& store, QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("FTable"));
    setWindowTitle(QStringLiteral("表格编辑"));
    setFont(SongFont());
    resize(900, 600);

    TableFilter = new QLineEdit(this);
    TableFilter->setObjectName(QStringLiteral("TableFilter"));
    TableFilter->setPlaceholderText(QStringLiteral("筛选：姓名、编号，或 统率>90 城市=濮阳"));
    TableFilter->setClearButtonEnabled(true);
    connect(TableFilter, &QLineEdit::textChanged, this, &TFTable::applyFilter);
    TableCount = new QLabel(this);
    TableCount->setObjectName(QStringLiteral("TableCount"));

    TableTabs = new QTabWidget(this);
    TableTabs->setObjectName(QStringLiteral("TableTabs"));
    for (TableId table :
         {TableId::Persons, TableId::Cities, TableId::Forces, TableId::Items, TableId::Places})
        buildPage(store, table);
    connect(TableTabs, &QTabWidget::currentChanged, this, &TFTable::showTab);

    TableStatus = new QLabel(this);
    TableStatus->setObjectName(QStringLiteral("TableStatus"));
    TableStatus->setWordWrap(true);

    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(TableFilter, 1);
    filterRow->addWidget(TableCount);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filterRow);
    layout->addWidget(TableTabs, 1);
    layout->addWidget(TableStatus);

    buildActions();
    restoreSettings();
    showTab();
}

void TFTable::buildPage(ScenarioStore& store, TableId table)
{
    // Only the models are made here: a view measures and lays out its heads when made, which
    // for all five tabs was most of the wait for the window to open. The sorting and filtering
    // comes with the view: joining it to its model costs as much again as the model.
    Page page;
    page.model = new ScenarioTableModel(store, table, this);
    page.proxy = nullptr;
    page.holder = new QWidget(TableTabs);
    auto* layout = new QVBoxLayout(page.holder);
    layout->setContentsMargins(0, 0, 0, 0);
    page.view = nullptr;

    connect(page.model, &ScenarioTableModel::Edited, this, &TFTable::Edited);
    connect(page.model, &ScenarioTableModel::Refused, this, &TFTable::showStatus);
    TableTabs->addTab(page.holder, page.model->Fields().TableTitle());
    pages_.push_back(page);
}

void TFTable::buildView(Page& page)
{
    if (page.view)
        return;
    const TableId table = page.model->Fields().Table();
    page.proxy = new TableProxy(page.model, this);
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(page.proxy, signal, this, &TFTable::showCount);
    connect(page.proxy, &QAbstractItemModel::layoutChanged, this, &TFTable::showCount);
    connect(page.proxy, &QAbstractItemModel::modelReset, this, &TFTable::showCount);
    page.view = new FrozenTableView(TableFields::kFixedColumns, page.holder);
    page.view->setObjectName(QString::fromLatin1(viewName(table)));
    page.view->setFont(ListFont());
    page.view->verticalHeader()->hide();
    page.view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    page.view->verticalHeader()->setDefaultSectionSize(page.view->fontMetrics().height() + 6);
    page.view->setEditTriggers(QAbstractItemView::DoubleClicked |
                               QAbstractItemView::EditKeyPressed |
                               QAbstractItemView::AnyKeyPressed);
    auto* delegate = new TableDelegate(ScenarioTableModel::kChoicesRole, page.view);
    page.view->setItemDelegate(delegate);
    // The frozen columns are painted through the same cache of text lines; they are never
    // edited in place.
    page.view->FrozenPart()->setItemDelegate(delegate);
    // The heads are measured as the model is set; shown with the sort arrow's room from the
    // start, as sorting shows them below, they are not measured again without it.
    for (QTableView* part : {static_cast<QTableView*>(page.view), page.view->FrozenPart()})
        part->horizontalHeader()->setSortIndicatorShown(true);
    page.view->setModel(page.proxy);
    // Unsorted until a head is clicked: the records in their own order.
    page.view->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    page.view->setSortingEnabled(true);
    page.view->FrozenPart()->setSortingEnabled(true);
    setColumnWidths(page, page.model->Store());
    if (!TableHasNames(table) && table != TableId::Forces)
        page.view->SetColumnShown(TableFields::kNameColumn, false);
    QHeaderView* heads = page.view->horizontalHeader();
    if (!page.savedHeads.isEmpty())
        heads->restoreState(page.savedHeads);
    // Widths are remembered, not the order: the records show as they lie until a head is
    // clicked.
    heads->setSortIndicator(-1, Qt::AscendingOrder);
    connect(delegate, &TableDelegate::FillRequested, this, &TFTable::fillSelection);
    // On the tables only: the filter field keeps its own copy and paste.
    page.view->addActions({copy_, paste_});
    page.holder->layout()->addWidget(page.view);
    // Made for a tab already on screen: a layout would show it only after the next events.
    page.view->show();
}

void TFTable::showTab()
{
    buildView(pages_[size_t(std::max(0, TableTabs->currentIndex()))]);
    applyFilter();
}

void TFTable::setColumnWidths(const Page& page, const ScenarioStore& store)
{
    // Widths come from what a column can hold, not from measuring its 800 cells: opening the
    // window stays quick, and a column fits its widest allowed value wherever it is.
    const QFontMetrics heads(page.view->horizontalHeader()->font());
    // Columns share their widest numbers and their lists of choices: each text is measured
    // once.
    TextWidths cells(page.view->font());
    const int padding = cells.Of(QStringLiteral("00"));
    const int arrow = 2 * padding; // the sort arrow beside the head
    const TableFields& fields = page.model->Fields();
    for (int column = 0; column < fields.Columns(); ++column) {
        int widest = cells.Of(QStringLiteral("某某某某"));
        const QStringList choices = fields.Choices(store, store.Names(), column);
        if (!fields.IsChoice(column) && column != TableFields::kNameColumn)
            widest = cells.Of(fields.WidestNumber(column));
        else if (!choices.isEmpty() && choices.size() <= kMeasuredChoices)
            for (const QString& choice : choices)
                widest = std::max(widest, cells.Of(choice));
        page.view->setColumnWidth(
            column,
            std::max(widest + padding, heads.horizontalAdvance(fields.Head(column)) + arrow));
    }
}

void TFTable::buildActions()
{
    auto* copy = new QAction(QStringLiteral("复制"), this);
    copy->setObjectName(QStringLiteral("TableCopy"));
    copy->setShortcut(QKeySequence::Copy);
    connect(copy, &QAction::triggered, this, &TFTable::copySelection);
    auto* paste = new QAction(QStringLiteral("粘贴"), this);
    paste->setObjectName(QStringLiteral("TablePaste"));
    paste->setShortcut(QKeySequence::Paste);
    connect(paste, &QAction::triggered, this, &TFTable::pasteClipboard);
    for (QAction* action : {copy, paste})
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    copy_ = copy;
    paste_ = paste;
}

FrozenTableView* TFTable::View(TableId table)
{
    for (Page& page : pages_)
        if (page.model->Fields().Table() == table) {
            buildView(page);
            return page.view;
        }
    return nullptr;
}

const TFTable::Page& TFTable::currentPage() const
{
    return pages_[size_t(std::max(0, TableTabs->currentIndex()))];
}

void TFTable::StoreChanged()
{
    for (const Page& page : pages_)
        page.model->StoreChanged();
    showCount();
}

void TFTable::applyFilter()
{
    const Page& page = currentPage();
    const veldor::TableFilter read = page.proxy->SetFilterText(TableFilter->text());
    QPalette palette = TableFilter->palette();
    palette.setColor(QPalette::Base, read.Readable() ? QApplication::palette().color(QPalette::Base)
                                                     : QColor(255, 205, 205));
    TableFilter->setPalette(palette);
    TableFilter->setToolTip(read.error);
    showStatus(read.error);
    showCount();
}

void TFTable::showCount()
{
    const Page& page = currentPage();
    TableCount->setText(
        QStringLiteral("显示 %1 / %2").arg(page.proxy->rowCount()).arg(page.model->rowCount()));
}

void TFTable::showStatus(const QString& text)
{
    TableStatus->setText(text);
}

void TFTable::fillSelection(const QString& text)
{
    const Page& page = currentPage();
    const QModelIndex current = page.view->currentIndex();
    std::set<int> records{page.proxy->RecordAt(current.row())};
    for (const QModelIndex& index : page.view->selectionModel()->selectedIndexes())
        if (index.column() == current.column())
            records.insert(page.proxy->RecordAt(index.row()));
    if (page.model->Fill({records.begin(), records.end()}, current.column(), text))
        showStatus({});
}

std::vector<int> TFTable::shownColumns(const Page& page) const
{
    std::vector<int> columns;
    for (int column = 0; column < page.model->columnCount(); ++column)
        if (!page.view->isColumnHidden(column))
            columns.push_back(column);
    return columns;
}

QString TFTable::SelectionText() const
{
    const Page& page = currentPage();
    const QModelIndexList selected = page.view->selectionModel()->selectedIndexes();
    std::set<int> rows;
    std::set<int> columns;
    for (const QModelIndex& index : selected) {
        rows.insert(index.row());
        if (!page.view->isColumnHidden(index.column()))
            columns.insert(index.column());
    }
    TextGrid grid;
    QStringList heads;
    for (int column : columns)
        heads << page.model->Fields().Head(column);
    grid.push_back(heads);
    for (int row : rows) {
        QStringList cells;
        for (int column : columns)
            cells << (page.view->selectionModel()->isSelected(page.proxy->index(row, column))
                          ? page.proxy->index(row, column).data().toString()
                          : QString());
        grid.push_back(cells);
    }
    return rows.empty() ? QString() : WriteTabSeparated(grid);
}

bool TFTable::PasteText(const QString& text)
{
    const Page& page = currentPage();
    const TableFields& fields = page.model->Fields();
    const ScenarioStore& store = page.model->Store();
    const ScenarioTables& tables = store;
    const std::vector<int> columns = shownColumns(page);
    const QModelIndex current = page.view->currentIndex();
    const ValueNames names(tables, store.Names());
    const auto at = std::find(columns.begin(), columns.end(), current.column());
    if (!current.isValid() || at == columns.end())
        return false;
    const PastePlan plan = PlanPaste(
        ReadTabSeparated(text), current.row(), int(at - columns.begin()), page.proxy->rowCount(),
        int(columns.size()), [&](int column) { return fields.Head(columns[size_t(column)]); },
        [&](int row, int position, const QString& cell, int64_t& value, QString& reason) {
            const int record = page.proxy->RecordAt(row);
            const int column = columns[size_t(position)];
            if (cell == page.proxy->index(row, column).data().toString())
                return PastedCell::Unchanged;
            reason = fields.ReadOnlyReason(tables, record, column);
            if (reason.isEmpty() && fields.Parse(tables, names, column, cell, value, reason))
                return PastedCell::Write;
            return PastedCell::Refused;
        });
    if (plan.problems > 0) {
        QString message = QStringLiteral("粘贴被拒绝，共 %1 处问题：").arg(plan.problems);
        showStatus(message + plan.refusals.join(QStringLiteral("；")));
        return false;
    }
    std::vector<ScenarioTableModel::Cell> cells;
    cells.reserve(plan.writes.size());
    for (const CellWrite& write : plan.writes)
        cells.push_back(
            {page.proxy->RecordAt(write.row), columns[size_t(write.column)], write.value});
    page.model->WriteCells(cells, QStringLiteral("表格粘贴：%1 个单元格").arg(plan.cells));
    showStatus({});
    return true;
}

void TFTable::copySelection()
{
    const QString text = SelectionText();
    if (!text.isEmpty())
        QApplication::clipboard()->setText(text);
}

void TFTable::pasteClipboard()
{
    PasteText(QApplication::clipboard()->text());
}

void TFTable::showEvent(QShowEvent* event)
{
    StoreChanged();
    QWidget::showEvent(event);
}

void TFTable::hideEvent(QHideEvent* event)
{
    saveSettings();
    QWidget::hideEvent(event);
}

TFTable::~TFTable()
{
    // An open cell editor commits when it loses focus on the way out; by then the windows
    // that would record it may be half gone.
    disconnect(this, &TFTable::Edited, nullptr, nullptr);
    // The main window closing takes this one along without hiding it first.
    if (isVisible())
        saveSettings();
}

void TFTable::restoreSettings()
{
    const auto settings = UserSettings();
    settings->beginGroup(kSettingsGroup);
    restoreGeometry(settings->value(QStringLiteral("Geometry")).toByteArray());
    for (Page& page : pages_)
        page.savedHeads =
            settings->value(QString::fromLatin1(viewName(page.model->Fields().Table())))
                .toByteArray();
    TableTabs->setCurrentIndex(settings->value(QStringLiteral("Tab"), 0).toInt());
}

void TFTable::saveSettings() const
{
    const auto settings = UserSettings();
    settings->beginGroup(kSettingsGroup);
    settings->setValue(QStringLiteral("Geometry"), saveGeometry());
    settings->setValue(QStringLiteral("Tab"), TableTabs->currentIndex());
    // A tab never shown keeps what was remembered for it.
    for (const Page& page : pages_)
        if (page.view)
            settings->setValue(QString::fromLatin1(viewName(page.model->Fields().Table())),
                               page.view->horizontalHeader()->saveState());
}

} // namespace veldor
