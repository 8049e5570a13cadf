#include "ui/widgets/frozentableview.h"

#include "ui/widgets/scrollbarpictures.h"
#include "ui/widgets/tableheaderview.h"

#include <QHeaderView>
#include <QPaintEvent>
#include <QScrollBar>

namespace veldor {

FrozenTableView::FrozenTableView(int frozenColumns, QWidget* parent)
    : QTableView(parent), frozenColumns_(frozenColumns)
{
    UseScrollBarPictures(this);
    // The heads first: a widget made later lies above the ones before it, and the frozen part
    // must lie above the heads it covers.
    auto* heads = new TableHeaderView(Qt::Horizontal, this);
    setHorizontalHeader(heads);
    frozen_ = new QTableView(this);
    frozen_->setHorizontalHeader(new TableHeaderView(Qt::Horizontal, frozen_, heads));
    frozen_->setObjectName(QStringLiteral("FrozenColumns"));
    frozen_->setFocusPolicy(Qt::NoFocus);
    frozen_->verticalHeader()->hide();
    frozen_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    frozen_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frozen_->setEditTriggers(NoEditTriggers);
    frozen_->setFrameShape(QFrame::NoFrame);
    viewport()->stackUnder(frozen_);
    setHorizontalScrollMode(ScrollPerPixel);

    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            &FrozenTableView::followSectionWidth);
    connect(verticalHeader(), &QHeaderView::sectionResized, frozen_,
            [this](int row, int, int height) { frozen_->setRowHeight(row, height); });
    connect(frozen_->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(),
            &QAbstractSlider::setValue);
    connect(verticalScrollBar(), &QAbstractSlider::valueChanged, frozen_->verticalScrollBar(),
            &QAbstractSlider::setValue);
    // Both heads sort the same model; each shows where the other put the arrow.
    for (auto [from, to] : {std::pair{frozen_->horizontalHeader(), horizontalHeader()},
                            std::pair{horizontalHeader(), frozen_->horizontalHeader()}})
        connect(from, &QHeaderView::sortIndicatorChanged, to, &QHeaderView::setSortIndicator);
}

void FrozenTableView::setModel(QAbstractItemModel* model)
{
    QTableView::setModel(model);
    frozen_->setModel(model);
    frozen_->setSelectionModel(selectionModel());
    frozen_->verticalHeader()->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
    for (int column = 0; column < model->columnCount(); ++column) {
        frozen_->setColumnHidden(column, column >= frozenColumns_);
        if (column < frozenColumns_)
            frozen_->setColumnWidth(column, columnWidth(column));
    }
    placeFrozenPart();
}

void FrozenTableView::SetColumnShown(int column, bool shown)
{
    setColumnHidden(column, !shown);
    frozen_->setColumnHidden(column, !shown);
    placeFrozenPart();
}

void FrozenTableView::followSectionWidth(int column, int, int newWidth)
{
    if (column < frozenColumns_) {
        frozen_->setColumnWidth(column, newWidth);
        placeFrozenPart();
    }
}

int FrozenTableView::frozenWidth() const
{
    int width = 0;
    for (int column = 0; column < frozenColumns_; ++column)
        if (!isColumnHidden(column))
            width += columnWidth(column);
    return width;
}

void FrozenTableView::paintEvent(QPaintEvent* event)
{
    // The cells under the frozen part are covered by it: left to the frozen part alone.
    const QRegion covered(0, 0, frozen_->isVisible() ? frozenWidth() : 0, viewport()->height());
    QPaintEvent uncovered(event->region() - covered);
    QTableView::paintEvent(&uncovered);
}

void FrozenTableView::resizeEvent(QResizeEvent* event)
{
    QTableView::resizeEvent(event);
    placeFrozenPart();
}

void FrozenTableView::updateGeometries()
{
    QTableView::updateGeometries();
    placeFrozenPart();
}

void FrozenTableView::placeFrozenPart()
{
    frozen_->setGeometry(verticalHeader()->width() + frameWidth(), frameWidth(), frozenWidth(),
                         viewport()->height() + horizontalHeader()->height());
    frozen_->horizontalHeader()->setFixedHeight(horizontalHeader()->height());
}

QModelIndex FrozenTableView::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex current = QTableView::moveCursor(cursorAction, modifiers);
    // A cell reached leftwards must not end up under the frozen columns.
    const int hiddenBy = frozenWidth() - visualRect(current).left();
    if (cursorAction == MoveLeft && current.column() >= frozenColumns_ && hiddenBy > 0)
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() - hiddenBy);
    return current;
}

void FrozenTableView::scrollTo(const QModelIndex& index, ScrollHint hint)
{
    // The frozen columns are always in view: a row reached there scrolls up or down only.
    const int sideways = horizontalScrollBar()->value();
    QTableView::scrollTo(index, hint);
    if (index.column() < frozenColumns_)
        horizontalScrollBar()->setValue(sideways);
}

} // namespace veldor
