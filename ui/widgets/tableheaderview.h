#pragma once

#include <QFont>
#include <QHash>
#include <QHeaderView>
#include <QSize>
#include <QString>

#include <memory>

namespace veldor {

// A table's row of heads that measures each head text once. A table view asks its heads for
// their size whenever its geometry changes (a model set, a column hidden, a sort, a resize),
// and Qt measures every section's text anew each time: for the hundred columns of a table,
// that was most of what opening one cost. The sizes are Qt's own, kept until the font or the
// style changes. Sections with a font, icon or size of their own from the model are measured
// by Qt every time, as before.
class TableHeaderView : public QHeaderView
{
    Q_OBJECT
public:
    // `sharing` (optional) is another row of heads over the same model whose sizes this one
    // uses too, as the two views of a table with frozen columns.
    TableHeaderView(Qt::Orientation orientation, QWidget* parent = nullptr,
                    const TableHeaderView* sharing = nullptr);

    // For tests: how many head texts have been measured since the last font or style change.
    int measuredTexts() const;

protected:
    QSize sectionSizeFromContents(int logicalIndex) const override;
    void changeEvent(QEvent* event) override;

private:
    struct Sizes
    {
        // What the sizes were measured in; any other empties them.
        QFont font;
        const QStyle* style = nullptr;
        // By head text, without and with the sort arrow's room.
        QHash<QString, QSize> byText[2];
        void clear();
    };

    bool plainText(int logicalIndex) const;

    std::shared_ptr<Sizes> sizes_;
};

} // namespace veldor
