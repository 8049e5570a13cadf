#pragma once

#include "data/format/scenariolayout.h"

#include <QString>
#include <QStringList>

namespace veldor {

// A column head as a user may type it: case and every blank (spaces, tabs, the ideographic
// space) ignored, so that " tongshuai" and "统 率" name the field as well as "TongShuai".
QString LooseHead(const QString& head);

// The column of `table` whose identifier or Chinese name is `head`, compared loosely;
// -1 when there is none.
int LooseCatalogueColumn(TableId table, const QString& head);

// The head among `candidates` nearest to `head` (fewest characters to add, drop or change,
// compared loosely), when it is near enough to be a slip; empty otherwise.
QString NearestHead(const QString& head, const QStringList& candidates);

// Every identifier and Chinese name of `table`'s fields, for NearestHead.
QStringList CatalogueHeads(TableId table);

} // namespace veldor
