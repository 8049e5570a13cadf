#include "ui/widgets/recentfilesmenu.h"

#include "ui/widgets/recentfiles.h"

#include <QDir>

namespace veldor {

RecentFilesMenu::RecentFilesMenu(Opener open, QWidget* parent)
    : QMenu(QStringLiteral("最近打开的剧本"), parent), open_(std::move(open))
{
    setObjectName(QStringLiteral("RecentFilesMenu"));
    connect(this, &QMenu::aboutToShow, this, &RecentFilesMenu::fill);
}

void RecentFilesMenu::fill()
{
    clear();
    const QStringList files = PruneRecentFiles();
    for (int i = 0; i < files.size(); ++i) {
        const QString path = files[i];
        QString caption = QDir::toNativeSeparators(path);
        caption.replace(u'&', QStringLiteral("&&"));
        QAction* entry = addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(caption));
        entry->setObjectName(QStringLiteral("RecentFile%1").arg(i + 1));
        connect(entry, &QAction::triggered, this, [this, path] { open_(path); });
    }
    addSeparator();
    QAction* clearList = addAction(QStringLiteral("清除列表"));
    clearList->setObjectName(QStringLiteral("ClearRecentFilesAction"));
    clearList->setEnabled(!files.isEmpty());
    connect(clearList, &QAction::triggered, this, [] { ClearRecentFiles(); });
}

} // namespace veldor
