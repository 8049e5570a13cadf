#include "ui/windows/formhistory.h"

#include "data/session/scenariohistory.h"
#include "ui/widgets/fonts.h"
#include "ui/widgets/scrollbarpictures.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

namespace veldor {
namespace {

constexpr int kClientWidth = 520;
constexpr int kClientHeight = 420;
// Marks an entry whose field lines are not built yet: they are built when it is opened, so
// a history of many large steps still opens at once.
constexpr int kLinesPending = Qt::UserRole + 1;
// The step an entry stands for; the line about dropped steps has none.
constexpr int kStep = Qt::UserRole;

// Steps are numbered from the opening of the file, dropped ones included.
QString positionText(size_t position, size_t steps, size_t dropped)
{
    if (steps + dropped == 0)
        return QStringLiteral("自打开以来没有修改。");
    if (position + dropped == 0)
        return QStringLiteral("当前位置：打开时的状态（%1 步均已撤销）").arg(steps);
    if (position == 0)
        return QStringLiteral("当前位置：能撤销到的最早状态（第 %1 步之后）").arg(dropped);
    return QStringLiteral("当前位置：第 %1 步，共 %2 步")
        .arg(position + dropped)
        .arg(steps + dropped);
}

} // namespace

TFHistory::TFHistory(const ScenarioHistory& history, StepAction undoThrough, StepAction redoThrough,
                     QWidget* parent)
    : Form(QStringLiteral("FHistory"), QStringLiteral("修改记录"), kClientWidth, kClientHeight,
           parent),
      history_(history), undoThrough_(std::move(undoThrough)), redoThrough_(std::move(redoThrough))
{
    TreeView_History = new QTreeWidget(this);
    UseScrollBarPictures(TreeView_History);
    Place(TreeView_History, QStringLiteral("TreeView_History"), 8, 8, kClientWidth - 16, 340);
    TreeView_History->setHeaderHidden(true);
    TreeView_History->setUniformRowHeights(true);
    TreeView_History->setFont(ListFont());
    connect(TreeView_History, &QTreeWidget::itemExpanded, this, &TFHistory::fillLines);
    connect(TreeView_History, &QTreeWidget::currentItemChanged, this, &TFHistory::showChosenEntry);

    Label_Position = new QLabel(this);
    Place(Label_Position, QStringLiteral("Label_Position"), 8, 356, kClientWidth - 16, 20);

    Button_RedoThrough = new QPushButton(QStringLiteral("重做到此"), this);
    Place(Button_RedoThrough, QStringLiteral("Button_RedoThrough"), kClientWidth - 264, 386, 80,
          25);
    Button_RedoThrough->setAutoDefault(false);
    connect(Button_RedoThrough, &QPushButton::clicked, this, &TFHistory::Button_RedoThroughClick);

    Button_UndoThrough = new QPushButton(QStringLiteral("撤销到此"), this);
    Place(Button_UndoThrough, QStringLiteral("Button_UndoThrough"), kClientWidth - 176, 386, 80,
          25);
    Button_UndoThrough->setAutoDefault(false);
    connect(Button_UndoThrough, &QPushButton::clicked, this, &TFHistory::Button_UndoThroughClick);

    auto* close = new QPushButton(QStringLiteral("关闭"), this);
    Place(close, QStringLiteral("Button_Close"), kClientWidth - 88, 386, 80, 25);
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

void TFHistory::FormShow()
{
    fillEntries();
}

void TFHistory::fillEntries()
{
    TreeView_History->clear();
    const std::vector<HistoryStep>& steps = history_.Steps();
    const size_t position = history_.Position();
    const size_t dropped = history_.Dropped();
    if (dropped > 0) {
        auto* line =
            new QTreeWidgetItem(QStringList{QStringLiteral("更早的 %1 步已不能撤销").arg(dropped)});
        line->setFlags(Qt::ItemIsEnabled);
        line->setForeground(0,
                            TreeView_History->palette().brush(QPalette::Disabled, QPalette::Text));
        TreeView_History->addTopLevelItem(line);
    }
    QList<QTreeWidgetItem*> entries;
    entries.reserve(int(steps.size()));
    QFont current = TreeView_History->font();
    current.setBold(true);
    const QBrush undone = TreeView_History->palette().brush(QPalette::Disabled, QPalette::Text);
    for (size_t k = 0; k < steps.size(); ++k) {
        QString text = QStringLiteral("%1. %2").arg(dropped + k + 1).arg(steps[k].title);
        if (k >= position)
            text += QStringLiteral("（已撤销）");
        auto* entry = new QTreeWidgetItem(QStringList{text});
        entry->setData(0, kStep, qulonglong(k));
        entry->setData(0, kLinesPending, true);
        // A placeholder child gives the entry its opening arrow until the lines are built.
        entry->addChild(new QTreeWidgetItem());
        if (k + 1 == position)
            entry->setFont(0, current);
        if (k >= position)
            entry->setForeground(0, undone);
        entries << entry;
    }
    TreeView_History->addTopLevelItems(entries);
    Label_Position->setText(positionText(position, steps.size(), dropped));
    if (position > 0)
        TreeView_History->setCurrentItem(entries[int(position) - 1]);
    showChosenEntry();
}

void TFHistory::fillLines(QTreeWidgetItem* entry)
{
    if (!entry->data(0, kLinesPending).toBool())
        return;
    entry->setData(0, kLinesPending, false);
    qDeleteAll(entry->takeChildren());
    QList<QTreeWidgetItem*> lines;
    for (const QString& line : history_.StepLines(size_t(entry->data(0, kStep).toULongLong())))
        lines << new QTreeWidgetItem(QStringList{line});
    entry->addChildren(lines);
}

int TFHistory::chosenStep() const
{
    QTreeWidgetItem* item = TreeView_History->currentItem();
    while (item != nullptr && item->parent() != nullptr)
        item = item->parent();
    if (item == nullptr || !item->data(0, kStep).isValid())
        return -1;
    return int(item->data(0, kStep).toULongLong());
}

void TFHistory::showChosenEntry()
{
    const int step = chosenStep();
    Button_UndoThrough->setEnabled(step >= 0 && size_t(step) < history_.Position());
    Button_RedoThrough->setEnabled(step >= 0 && size_t(step) >= history_.Position());
}

void TFHistory::Button_UndoThroughClick()
{
    const int step = chosenStep();
    if (step < 0 || size_t(step) >= history_.Position())
        return;
    if (undoThrough_)
        undoThrough_(size_t(step));
    fillEntries();
}

void TFHistory::Button_RedoThroughClick()
{
    const int step = chosenStep();
    if (step < 0 || size_t(step) < history_.Position())
        return;
    if (redoThrough_)
        redoThrough_(size_t(step));
    fillEntries();
}

} // namespace veldor
