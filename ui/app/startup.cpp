#include "ui/app/startup.h"

#include "ui/app/application.h"
#include "ui/app/editorcommandline.h"
#include "ui/app/qttranslations.h"
#include "ui/widgets/mappicture.h"
#include "ui/windows/formabout.h"
#include "ui/windows/formcheck.h"
#include "ui/windows/formcity.h"
#include "ui/windows/formforc.h"
#include "ui/windows/formhistory.h"
#include "ui/windows/formmap.h"
#include "ui/windows/formprsn.h"
#include "ui/windows/formtable.h"
#include "ui/windows/messages.h"

#include <QAction>
#include <QFileInfo>
#include <QIcon>
#include <QLocale>
#include <QPixmap>
#include <QScreen>

#include <cstdio>
#include <exception>
#include <functional>
#include <memory>

namespace veldor {

namespace {

// A window built the first time its door opens and kept from then on: most runs open only a
// few of them, and building all six up front was a third of start-up.
template <class Window> class BuiltOnFirstUse
{
public:
    explicit BuiltOnFirstUse(std::function<Window*()> build) : build_(std::move(build)) {}
    Window* operator()()
    {
        if (window_ == nullptr)
            window_ = build_();
        return window_;
    }

private:
    std::function<Window*()> build_;
    Window* window_ = nullptr;
};

template <class Window> auto onFirstUse(std::function<Window*()> build)
{
    return std::make_shared<BuiltOnFirstUse<Window>>(std::move(build));
}

} // namespace

Windows CreateWindows()
{
    Windows windows;
    TFMap* map = new TFMap;
    windows.FMap = map;

    // Every editor's Apply and OK report here, once the store holds what they wrote.
    const auto applied = [map](EditorKind editor) {
        return [map, editor] { map->EditorApplied(editor); };
    };

    auto city = onFirstUse<TFCity>([map, applied] {
        auto* window = new TFCity(map->Store(), map);
        window->setApplied(applied(EditorKind::City));
        return window;
    });
    auto cityDoor = [city](int index) {
        (*city)()->CurCity = uint16_t(index);
        (*city)()->exec();
    };
    map->setCityEditorDoor(cityDoor);

    auto force = onFirstUse<TFForc>([map, applied] {
        auto* window = new TFForc(map->Store(), map);
        window->setApplied(applied(EditorKind::Force));
        return window;
    });
    map->setForceEditorDoor([force] { (*force)()->exec(); });

    auto person = onFirstUse<TFPrsn>([map, applied] {
        auto* window = new TFPrsn(map->Store(), map);
        window->setApplied(applied(EditorKind::Person));
        return window;
    });
    map->setPersonEditorDoor([person] { (*person)()->exec(); });

    auto about = onFirstUse<TFAbout>([map] { return new TFAbout(map); });
    map->setAboutDoor([about] { (*about)()->exec(); });

    auto history = onFirstUse<TFHistory>([map] {
        return new TFHistory(
            map->History(), [map](size_t step) { map->UndoThrough(step); },
            [map](size_t step) { map->RedoThrough(step); }, map);
    });
    map->setHistoryDoor([history] { (*history)()->exec(); });

    auto check = onFirstUse<TFCheck>([map, cityDoor, force, person] {
        TFCheck::Doors findingDoors{
            cityDoor, [force](int index) { (*force)()->ExecOnForce(index); },
            [person](int index) { (*person)()->ExecOnPerson(uint16_t(index)); }};
        auto* window = new TFCheck(map->Store(), std::move(findingDoors), map);
        // A fix made through a finding's editor shows at once in the list beneath it.
        QObject::connect(map, &TFMap::StoreEdited, window, [window] {
            if (window->isVisible())
                window->Refresh();
        });
        return window;
    });
    map->setCheckDoor([check] { (*check)()->exec(); });

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

    // Built in as ready-made pixels: nothing to decode.
    const QImage iconImage = IconPicture();
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
