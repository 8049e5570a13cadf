#include "ui/startup.h"

#include "ui/application.h"
#include "ui/editorcommandline.h"
#include "ui/formabout.h"
#include "ui/formcheck.h"
#include "ui/formcity.h"
#include "ui/formforc.h"
#include "ui/formhistory.h"
#include "ui/formmap.h"
#include "ui/formprsn.h"
#include "ui/formtable.h"
#include "ui/mappicture.h"
#include "ui/messages.h"
#include "ui/qttranslations.h"

#include <QAction>
#include <QFileInfo>
#include <QIcon>
#include <QLocale>
#include <QPixmap>
#include <QScreen>

#include <cstdio>
#include <exception>
#include <future>
#include <memory>

namespace veldor {

Windows CreateWindows()
{
    // The icon decodes on another core while the windows are built.
    std::future<QImage> icon = std::async(std::launch::async, IconPicture);

    Windows windows;
    TFMap* map = new TFMap;
    windows.FMap = map;

    // Every editor's Apply and OK report here, once the store holds what they wrote.
    const auto applied = [map](EditorKind editor) {
        return [map, editor] { map->EditorApplied(editor); };
    };

    auto* city = new TFCity(map->Store(), applied(EditorKind::City), map);
    windows.FCity = city;
    auto cityDoor = [city](int index) {
        city->CurCity = uint16_t(index);
        city->exec();
    };
    map->setCityEditorDoor(cityDoor);

    auto* force = new TFForc(map->Store(), applied(EditorKind::Force), map);
    windows.FForc = force;
    map->setForceEditorDoor([force] { force->exec(); });

    auto* person = new TFPrsn(map->Store(), map);
    person->setApplied(applied(EditorKind::Person));
    windows.FPrsn = person;
    map->setPersonEditorDoor([person] { person->exec(); });

    auto* about = new TFAbout(map);
    windows.FAbout = about;
    map->setAboutDoor([about] { about->exec(); });

    // Built after the five windows above, whose order is fixed.
    auto* history = new TFHistory(
        map->History(), [map](size_t step) { map->UndoThrough(step); },
        [map](size_t step) { map->RedoThrough(step); }, map);
    windows.FHistory = history;
    map->setHistoryDoor([history] { history->exec(); });

    TFCheck::Doors findingDoors{cityDoor, [force](int index) { force->ExecOnForce(index); },
                                [person](int index) { person->ExecOnPerson(uint16_t(index)); }};
    auto* check = new TFCheck(map->Store(), std::move(findingDoors), map);
    windows.FCheck = check;
    map->setCheckDoor([check] { check->exec(); });
    // A fix made through a finding's editor shows at once in the list beneath it.
    QObject::connect(map, &TFMap::StoreEdited, check, [check] {
        if (check->isVisible())
            check->Refresh();
    });

    // Built on first use, so that start-up does not pay for five tables of models; modeless
    // beside the map, whose undo and redo keys work in it too.
    map->setTableDoor([map] {
        auto* table = map->findChild<TFTable*>();
        if (table == nullptr) {
            table = new TFTable(map->Store(), map);
            table->addActions({map->findChild<QAction*>(QStringLiteral("UndoAction")),
                               map->findChild<QAction*>(QStringLiteral("RedoAction"))});
            QObject::connect(table, &TFTable::Edited, map, &TFMap::TableEdited);
            QObject::connect(map, &TFMap::StoreChanged, table, [table] {
                if (table->isVisible())
                    table->StoreChanged();
            });
        }
        table->show();
        table->raise();
        table->activateWindow();
    });

    const QImage iconImage = icon.get();
    if (!iconImage.isNull())
        QApplication::setWindowIcon(QIcon(QPixmap::fromImage(iconImage)));
    return windows;
}

void CenterOnScreen(QWidget* window)
{
    window->adjustSize();
    const QScreen* screen = window->screen();
    if (screen == nullptr)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

std::unique_ptr<TFMap> ShowEditor(const QString& file)
{
    std::unique_ptr<TFMap> map(CreateWindows().FMap);
    CenterOnScreen(map.get());
    map->show();
    if (!map->NameListWarning().isEmpty())
        ShowMessage(map.get(), map->NameListWarning());
    // The open dialog hands over absolute paths; the caption shows the file the same way.
    if (!file.isEmpty())
        map->OpenScenarioAsked(QFileInfo(file).absoluteFilePath());
    return map;
}

int RunEditor(int& argc, char** argv)
{
    // --help and --version answer before Qt connects to a display, so they work where none is.
    const EditorCommandLine early = ParseEditorCommandLine(ArgumentsOf(argc, argv));
    if (early.action == EditorCommandLine::Action::ShowHelp ||
        early.action == EditorCommandLine::Action::ShowVersion) {
        std::fputs(early.text.toLocal8Bit().constData(), stdout);
        return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : kExitOnError;
    }

    Application application(argc, argv);
    InstallQtTranslations(application, QLocale::system());
    // Qt has taken its own options (-platform, -style...) off the line by now.
    const EditorCommandLine line = ParseEditorCommandLine(QCoreApplication::arguments());
    if (line.action != EditorCommandLine::Action::Run) {
        std::fprintf(stderr, "veldor-editor: %s\n", qPrintable(line.text));
        return kExitOnError;
    }
    try {
        const std::unique_ptr<TFMap> map = ShowEditor(line.file);
        return application.exec();
    } catch (const std::exception& error) {
        EndOnError(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        EndOnError(QStringLiteral("未知的异常"));
    }
}

} // namespace veldor
