#pragma once

#include <QMenu>

#include <functional>

namespace veldor {

// "最近打开的剧本": one entry per recent scenario file, most recent first, then "清除列表".
// The entries are made afresh each time the menu opens, so files that have gone since are
// dropped from the menu and from the list.
class RecentFilesMenu : public QMenu
{
    Q_OBJECT
public:
    using Opener = std::function<void(const QString& path)>;

    RecentFilesMenu(Opener open, QWidget* parent = nullptr);

private:
    void fill();

    Opener open_;
};

} // namespace veldor
