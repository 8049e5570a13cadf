#include "ui/widgets/tableheaderview.h"

#include <QEvent>

namespace veldor {

TableHeaderView::TableHeaderView(Qt::Orientation orientation, QWidget* parent,
                                 const TableHeaderView* sharing)
    : QHeaderView(orientation, parent),
      sizes_(sharing ? sharing->sizes_ : std::make_shared<Sizes>())
{
    // As the heads QTableView makes for itself.
    setSectionsClickable(true);
    setHighlightSections(true);
}

void TableHeaderView::Sizes::clear()
{
    byText[0].clear();
    byText[1].clear();
}

int TableHeaderView::measuredTexts() const
{
    return int(sizes_->byText[0].size() + sizes_->byText[1].size());
}

bool TableHeaderView::plainText(int logicalIndex) const
{
    const QAbstractItemModel* heads = model();
    for (int role : {Qt::SizeHintRole, Qt::FontRole, Qt::DecorationRole})
        if (heads->headerData(logicalIndex, orientation(), role).isValid())
            return false;
    return true;
}

QSize TableHeaderView::sectionSizeFromContents(int logicalIndex) const
{
    // Polished first, as Qt does: polishing may set the font the sizes depend on.
    ensurePolished();
    if (!model() || !plainText(logicalIndex))
        return QHeaderView::sectionSizeFromContents(logicalIndex);
    Sizes& sizes = *sizes_;
    if (font() != sizes.font || style() != sizes.style) {
        sizes.clear();
        sizes.font = font();
        sizes.style = style();
    }
    const QString text = model()->headerData(logicalIndex, orientation()).toString();
    QHash<QString, QSize>& byText = sizes.byText[isSortIndicatorShown() ? 1 : 0];
    const auto known = byText.constFind(text);
    if (known != byText.cend())
        return *known;
    const QSize size = QHeaderView::sectionSizeFromContents(logicalIndex);
    byText.insert(text, size);
    return size;
}

void TableHeaderView::changeEvent(QEvent* event)
{
    // A new style may come at the address of the one it replaced.
    if (event->type() == QEvent::StyleChange)
        sizes_->clear();
    QHeaderView::changeEvent(event);
}

} // namespace veldor
