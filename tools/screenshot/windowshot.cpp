#include "windowshot.h"

#include "shotscenes.h"

#include "ui/app/startup.h"
#include "ui/widgets/findbar.h"
#include "ui/windows/formmap.h"
#include "ui/windows/formtable.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <cstdlib>
#include <functional>

namespace veldor {
namespace {

void waitUntilExposed(QWidget* widget)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 5000 &&
           (widget->windowHandle() == nullptr || !widget->windowHandle()->isExposed()))
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    QApplication::processEvents();
}

bool save(QWidget* widget, const QString& path, QString& error)
{
    waitUntilExposed(widget);
    if (widget->grab().save(path, "PNG"))
        return true;
    error = QStringLiteral("cannot write %1").arg(path);
    return false;
}

// The button of the main window that opens `window`.
QString doorOf(const ShotRequest& request)
{
    if (request.window == QLatin1String("FAbout"))
        return QStringLiteral("Button56");
    if (request.window == QLatin1String("FForc"))
        return QStringLiteral("Button51");
    if (request.window == QLatin1String("FPrsn"))
        return QStringLiteral("Button52");
    if (request.window == QLatin1String("FCity"))
        return QStringLiteral("Button%1").arg(request.city + 1);
    return {};
}

// The window with the area a tool tip covers beside it, as the screen shows them.
bool saveWithTip(QWidget* widget, const QRect& tip, const QString& path, QString& error)
{
    waitUntilExposed(widget);
    const QRect area = widget->frameGeometry().united(tip);
    const QPixmap shot =
        widget->screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
    if (shot.save(path, "PNG"))
        return true;
    error = QStringLiteral("cannot write %1").arg(path);
    return false;
}

// Runs `open`, which opens the modal window `name`; while it is up runs `shoot` on it, then
// closes it without a question. False when the window never came.
bool whileModal(const QString& name, const std::function<void(QDialog*)>& shoot,
                const std::function<void()>& open)
{
    bool shown = false;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || dialog->objectName() != name)
            return;
        poll.stop();
        shown = true;
        shoot(dialog);
        // Closed as it is, edits and all: asking about them would only stop the tool.
        dialog->done(QDialog::Rejected);
    });
    poll.start();
    open();
    return shown;
}

// Sets up the scene the picture is to show, once `dialog` is up, and takes it.
bool shootScene(QDialog* dialog, const ShotRequest& request, QString& error)
{
    if (request.window == QLatin1String("FHistory"))
        OpenHistoryEntries(dialog);
    auto* findBar = dialog->findChild<FindBar*>();
    if (!request.find.isEmpty() && findBar)
        findBar->find(request.find);
    if (request.window == QLatin1String("FPrsn") && request.pending) {
        waitUntilExposed(dialog);
        return saveWithTip(dialog, ShowPendingField(dialog), request.output, error);
    }
    return save(dialog, request.output, error);
}

// Opens a modal window through its door, as a user would, and takes its picture while it is up.
bool shootModal(TFMap* map, const ShotRequest& request, QString& error)
{
    // The windows opened from the 功能 menu rather than a button.
    const QString menuItem =
        request.window == QLatin1String("FHistory") ? QStringLiteral("HistoryAction")
        : request.window == QLatin1String("FCheck") ? QStringLiteral("CheckAction")
                                                    : QString();
    QAction* menuDoor = menuItem.isEmpty() ? nullptr : map->findChild<QAction*>(menuItem);
    auto* button = map->findChild<QAbstractButton*>(doorOf(request));
    if (button == nullptr && menuDoor == nullptr) {
        error = QStringLiteral("unknown window %1").arg(request.window);
        return false;
    }
    bool saved = false;
    const bool shown = whileModal(
        request.window, [&](QDialog* dialog) { saved = shootScene(dialog, request, error); },
        [&] {
            if (menuDoor != nullptr)
                menuDoor->trigger();
            else
                button->click();
        });
    if (!shown)
        error = QStringLiteral("window %1 is not built into this program yet").arg(request.window);
    return shown && saved;
}

// The table window stays beside the map rather than over it: opened, filtered, taken.
bool shootTable(const Windows& windows, const ShotRequest& request, QString& error)
{
    windows.FMap->findChild<QAction*>(QStringLiteral("TableAction"))->trigger();
    auto* table = windows.FMap->findChild<TFTable*>();
    if (!request.find.isEmpty())
        table->findChild<QLineEdit*>(QStringLiteral("TableFilter"))->setText(request.find);
    return save(table, request.output, error);
}

// Makes the user's edits, changes the file on disk and presses 保存修改: the question that
// follows is the picture.
bool shootExternalChange(TFMap* map, const ShotRequest& request, QString& error)
{
    MakeTypicalEdits(map);
    const DiskChange change(map->Store().FileName());
    if (!change.Made()) {
        error = QStringLiteral("cannot change %1").arg(map->Store().FileName());
        return false;
    }
    bool saved = false;
    const bool shown = whileModal(
        request.window, [&](QDialog* box) { saved = save(box, request.output, error); },
        [map] { map->findChild<QAbstractButton*>(QStringLiteral("Button54"))->click(); });
    if (!shown)
        error = QStringLiteral("no %1 came").arg(request.window);
    return shown && saved;
}

// Types 士兵 30000 into the city editor and presses Escape: the question that follows is the
// picture.
bool shootDiscardEdits(TFMap* map, const ShotRequest& request, QString& error)
{
    bool saved = false;
    bool asked = false;
    const bool shown = whileModal(
        QStringLiteral("FCity"),
        [&](QDialog* editor) {
            auto* soldiers = editor->findChild<QLineEdit*>(QStringLiteral("Edit_City_ShiBing"));
            soldiers->setText(QStringLiteral("30000"));
            waitUntilExposed(editor);
            asked = whileModal(
                request.window, [&](QDialog* box) { saved = save(box, request.output, error); },
                [editor] { editor->reject(); });
        },
        [map, &request] {
            map->findChild<QAbstractButton*>(QStringLiteral("Button%1").arg(request.city + 1))
                ->click();
        });
    if (!shown || !asked)
        error = QStringLiteral("no %1 came").arg(request.window);
    return shown && asked && saved;
}

// The main window once it took in a change made on disk, with its status bar saying so.
bool shootReloaded(TFMap* map, const ShotRequest& request, QString& error)
{
    const DiskChange change(map->Store().FileName());
    if (!change.Made()) {
        error = QStringLiteral("cannot change %1").arg(map->Store().FileName());
        return false;
    }
    QElapsedTimer timer;
    timer.start();
    auto* status = map->findChild<QStatusBar*>(QStringLiteral("StatusBar"));
    while (timer.elapsed() < 5000 && status->currentMessage().isEmpty())
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    return save(map, request.output, error);
}

} // namespace

void FailOnAnyMessage(const QString& expected)
{
    auto* watch = new QTimer(qApp);
    watch->setInterval(10);
    QObject::connect(watch, &QTimer::timeout, [expected] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || (!expected.isEmpty() && box->objectName() == expected))
            return;
        std::fprintf(stderr, "veldor-shot: %s\n", qPrintable(box->text()));
        std::fflush(nullptr);
        std::_Exit(1);
    });
    watch->start();
}

bool TakeShot(const Windows& windows, const ShotRequest& request, QString& error)
{
    TFMap* map = windows.FMap;
    CenterOnScreen(map);
    map->show();
    if (!request.scenario.isEmpty())
        map->OpenScenarioFile(request.scenario);
    if (request.window == QLatin1String("FHistory"))
        MakeTypicalEdits(map);
    waitUntilExposed(map);
    if (request.window == QLatin1String("ExternalChangeQuestion"))
        return shootExternalChange(map, request, error);
    if (request.window == QLatin1String("DiscardEditsQuestion"))
        return shootDiscardEdits(map, request, error);
    if (request.window == QLatin1String("FMap") && request.diskChange)
        return shootReloaded(map, request, error);
    if (request.window == QLatin1String("FMap"))
        return save(map, request.output, error);
    if (request.window == QLatin1String("FTable"))
        return shootTable(windows, request, error);
    return shootModal(map, request, error);
}

} // namespace veldor
