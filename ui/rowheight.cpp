#include "ui/rowheight.h"

#include <QAbstractItemView>
#include <QStyledItemDelegate>

namespace veldor {
namespace {

class FixedRowHeight : public QStyledItemDelegate
{
public:
    FixedRowHeight(int height, QObject* parent) : QStyledItemDelegate(parent), height_(height) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(height_);
        return size;
    }

private:
    int height_;
};

} // namespace

void SetRowHeight(QAbstractItemView* view, int height)
{
    view->setItemDelegate(new FixedRowHeight(height, view));
}

} // namespace veldor
