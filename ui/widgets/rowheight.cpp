#include "ui/widgets/rowheight.h"

#include "ui/widgets/cachedtextdelegate.h"

#include <QAbstractItemView>

namespace veldor {
namespace {

class FixedRowHeight : public CachedTextDelegate
{
public:
    FixedRowHeight(int height, QObject* parent) : CachedTextDelegate(parent), height_(height) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = CachedTextDelegate::sizeHint(option, index);
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
