#include "ui/windows/formcheck.h"

#include "data/session/scenariostore.h"
#include "ui/widgets/fonts.h"
#include "ui/widgets/scrollbarpictures.h"

#include <QFontMetrics>
#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStyleOptionViewItem>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <algorithm>
#include <utility>
#include <vector>

namespace veldor {
namespace {

constexpr int kClientWidth = 680;
constexpr int kClientHeight = 420;
// Which finding a row stands for; group rows and the no-finding row have none.
constexpr int kFindingRole = Qt::UserRole;

QString groupText(const QString& kind, int count)
{
    const FindingKind* known = FindFindingKind(kind);
    const QString meaning = known ? QString::fromUtf8(known->meaning) : QString();
    if (meaning.isEmpty())
        return QStringLiteral("%1（%2）").arg(kind).arg(count);
    return QStringLiteral("%1（%2） %3").arg(meaning).arg(count).arg(kind);
}

} // namespace

TFCheck::TFCheck(const ScenarioStore& store, Doors doors, QWidget* parent)
    : Form(QStringLiteral("FCheck"), QStringLiteral("剧本检查"), kClientWidth, kClientHeight,
           parent),
      store_(store), doors_(std::move(doors))
{
    TreeView_Check = new QTreeWidget(this);
    UseScrollBarPictures(TreeView_Check);
    Place(TreeView_Check, QStringLiteral("TreeView_Check"), 8, 8, kClientWidth - 16,
          kClientHeight - 16);
    TreeView_Check->setHeaderHidden(true);
    TreeView_Check->setColumnCount(1);
    TreeView_Check->setFont(ListFont());
    TreeView_Check->setUniformRowHeights(true);
    // Long findings scroll sideways rather than lose their ends; Refresh sizes the column.
    TreeView_Check->header()->setStretchLastSection(false);
    connect(TreeView_Check, &QTreeWidget::itemDoubleClicked, this, &TFCheck::openFinding);
    TreeView_Check->installEventFilter(this);
}

void TFCheck::Refresh()
{
    findings_ = CheckScenario(store_, store_.Names(), FieldLabels::Chinese);
    const int scrolled = TreeView_Check->verticalScrollBar()->value();
    TreeView_Check->clear();
    if (findings_.empty()) {
        new QTreeWidgetItem(TreeView_Check, {QStringLiteral("没有发现问题")});
        return;
    }
    QTreeWidgetItem* group = nullptr;
    for (size_t i = 0; i < findings_.size(); ++i) {
        const Finding& finding = findings_[i];
        if (group == nullptr || group->data(0, kFindingRole).toString() != finding.kind) {
            group = new QTreeWidgetItem(TreeView_Check);
            group->setData(0, kFindingRole, finding.kind);
            group->setFlags(Qt::ItemIsEnabled);
        }
        auto* row = new QTreeWidgetItem(group, {finding.message});
        row->setData(0, kFindingRole, int(i));
        if (i + 1 == findings_.size() || findings_[i + 1].kind != finding.kind)
            group->setText(0, groupText(finding.kind, group->childCount()));
    }
    TreeView_Check->expandAll();
    fitColumnToWidestRow();
    TreeView_Check->verticalScrollBar()->setValue(scrolled);
}

// As wide as the widest row, as sizing the column to its contents would make it, without
// laying out every row: that was most of opening the window. The list's font is fixed-pitch,
// so the sum of each character's advance (measured once per character) ranks the rows; only
// those near the top are laid out by the delegate, which has the last word.
void TFCheck::fitColumnToWidestRow()
{
    const QFontMetrics metrics(TreeView_Check->font());
    const int indentation = TreeView_Check->indentation();
    QHash<QChar, int> advances;
    auto estimate = [&](const QTreeWidgetItem* item) {
        int width = (item->parent() ? 2 : 1) * indentation;
        for (const QChar c : item->text(0)) {
            auto known = advances.constFind(c);
            if (known == advances.constEnd())
                known = advances.insert(c, metrics.horizontalAdvance(c));
            width += *known;
        }
        return width;
    };
    std::vector<std::pair<int, QTreeWidgetItem*>> rows;
    int widestEstimate = 0;
    for (QTreeWidgetItemIterator it(TreeView_Check); *it; ++it) {
        rows.emplace_back(estimate(*it), *it);
        widestEstimate = std::max(widestEstimate, rows.back().first);
    }
    QStyleOptionViewItem option;
    option.initFrom(TreeView_Check);
    option.font = TreeView_Check->font();
    // Shaping may differ from the sum by a little; a few characters' width of slack covers it.
    const int slack = 4 * metrics.averageCharWidth();
    int width = -1;
    for (const auto& [estimated, item] : rows) {
        if (estimated < widestEstimate - slack)
            continue;
        const QModelIndex index = TreeView_Check->indexFromItem(item);
        width = std::max(width, TreeView_Check->itemDelegate()->sizeHint(option, index).width() +
                                    (item->parent() ? 2 : 1) * indentation);
    }
    if (width >= 0)
        TreeView_Check->header()->resizeSection(0, width);
}

bool TFCheck::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == TreeView_Check && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            openFinding(TreeView_Check->currentItem());
            return true;
        }
    }
    return Form::eventFilter(watched, event);
}

void TFCheck::openFinding(QTreeWidgetItem* item)
{
    bool isFinding = false;
    const int index = item ? item->data(0, kFindingRole).toInt(&isFinding) : -1;
    if (!isFinding || item->parent() == nullptr || index < 0 || size_t(index) >= findings_.size())
        return;
    const RecordRef target = RecordToEdit(findings_[size_t(index)]);
    switch (target.table) {
    case TableId::Cities:
        if (doors_.city)
            doors_.city(target.index);
        break;
    case TableId::Forces:
        if (doors_.force)
            doors_.force(target.index);
        break;
    case TableId::Persons:
        if (doors_.person)
            doors_.person(target.index);
        break;
    case TableId::Places:
    case TableId::Items:
        break;
    }
}

} // namespace veldor
