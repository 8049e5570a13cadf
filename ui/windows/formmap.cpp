#include "ui/windows/formmap.h"

#include "data/format/nametables.h"
#include "ui/widgets/buttoncaptions.h"
#include "ui/widgets/citybutton.h"
#include "ui/widgets/citymap.h"
#include "ui/widgets/deferredicons.h"
#include "ui/widgets/fonts.h"
#include "ui/widgets/mapimage.h"
#include "ui/widgets/mappicture.h"
#include "ui/widgets/projectname.h"
#include "ui/widgets/recentfiles.h"
#include "ui/widgets/recentfilesmenu.h"
#include "ui/widgets/scenariowatch.h"
#include "ui/windows/form.h"
#include "ui/windows/messages.h"
#include "ui/windows/questions.h"

#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

namespace veldor {
namespace {

constexpr int kClientWidth = 692;
constexpr int kClientHeight = 527;

// The one local file a drop carries, or an empty text when it carries anything else.
QString droppedFile(const QMimeData* mime)
{
    if (mime == nullptr || !mime->hasUrls() || mime->urls().size() != 1)
        return {};
    const QUrl url = mime->urls().constFirst();
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

// A missing or broken picture leaves the plain background; the program works on.
void showPicture(MapImage* image, int scale)
{
    QString error;
    const QImage picture = MapPicture(error, scale);
    if (picture.isNull())
        qWarning("%s", qPrintable(error));
    image->setPicture(picture, scale);
}

} // namespace

QString StartTitle()
{
    return QStringLiteral("Veldor剧本修改器贺岁版V1.1--") + ProjectName();
}

QString OpenedTitle(const QString& path)
{
    return QStringLiteral("Veldor剧本修改器V1.0--Orlen制作--") + QDir::toNativeSeparators(path);
}

namespace {

// The scenario and all-files filters, in a dialog with the objectName tests answer it by.
QString chooseScenarioPath(QWidget* parent, const QString& objectName,
                           QFileDialog::AcceptMode acceptMode, QFileDialog::FileMode fileMode)
{
    QFileDialog dialog(parent);
    dialog.setObjectName(objectName);
    dialog.setAcceptMode(acceptMode);
    dialog.setFileMode(fileMode);
    dialog.setNameFilters({QStringLiteral("Veldor剧本(D_Sce***.kqx) (D_Sce*.kqx)"),
                           QStringLiteral("所有文件(*.*) (*)")});
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

QString ChooseScenarioFile(QWidget* parent)
{
    return chooseScenarioPath(parent, QStringLiteral("OpenDialog1"), QFileDialog::AcceptOpen,
                              QFileDialog::ExistingFile);
}

QString ChooseSaveAsFile(QWidget* parent)
{
    return chooseScenarioPath(parent, QStringLiteral("SaveAsDialog"), QFileDialog::AcceptSave,
                              QFileDialog::AnyFile);
}

TFMap::TFMap(QWidget* parent)
    : QMainWindow(parent), history_(store_.Names()), captions_(new ButtonCaptions),
      chooseFile_(ChooseScenarioFile), chooseSaveAs_(ChooseSaveAsFile)
{
    setObjectName(QStringLiteral("FMap"));
    title_ = StartTitle();
    setWindowTitle(title_);
    setFont(SongFont());
    setAcceptDrops(true);

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    client->setFixedSize(kClientWidth, kClientHeight);
    setCentralWidget(client);
    MapImage* image = buildMap(client);
    buildCityButtons(client);
    buildSideButtons(client);
    buildMenu();
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    statusBar()->setSizeGripEnabled(false);
    watch_ = new ScenarioWatch(this);
    connect(watch_, &ScenarioWatch::Changed, this, &TFMap::CheckFileOnDisk);
    // Only the picture this screen needs is made: at scale 1 it is built in ready to show, the
    // double-size one is decoded.
    const int scale = MapPictureScale(devicePixelRatioF());
    showPicture(image, scale);
    // Fixed border: the window is exactly the menu bar above the fixed client area, whatever
    // height the menu bar takes in the font and scale in use.
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    store_.Clear();
    nameListWarning_ = store_.Names().load();
}

TFMap::~TFMap() = default;

MapImage* TFMap::buildMap(QWidget* client)
{
    auto* image = new MapImage(client);
    Place(image, QStringLiteral("Image1"), 0, 0, 585, 521);
    return image;
}

void TFMap::buildCityButtons(QWidget* client)
{
    const QFont bold = SongFont(13, true);
    for (int city = 0; city < kCities; ++city) {
        const CityButtonPlace& place = CityButtonPlaces()[city];
        auto* button = new CityButton(QString::number(city + 1), client, captions_.get());
        Place(button, QStringLiteral("Button%1").arg(city + 1), place.left, place.top, place.width,
              place.height);
        button->setFont(bold);
        button->setToolTip(QString::fromUtf8(place.toolTip));
        button->setFocusPolicy(Qt::TabFocus);
        connect(button, &QPushButton::clicked, this, [this, city] { EditCity(city); });
        cityButtons_[city] = button;
    }
}

QPushButton* TFMap::addButton(QWidget* client, const QString& name, const QString& caption, int top,
                              void (TFMap::*handler)())
{
    auto* button = new QPushButton(caption, client);
    Place(button, name, 600, top, 75, 25);
    connect(button, &QPushButton::clicked, this, handler);
    return button;
}

void TFMap::buildSideButtons(QWidget* client)
{
    addButton(client, QStringLiteral("Button53"), QStringLiteral("打开剧本"), 24,
              &TFMap::ChooseAndOpenScenario);
    addButton(client, QStringLiteral("Button54"), QStringLiteral("保存修改"), 64,
              &TFMap::SaveEdits);
    addButton(client, QStringLiteral("Button57"), QStringLiteral("重新载入"), 104,
              &TFMap::ReloadScenario);
    addButton(client, QStringLiteral("Button51"), QStringLiteral("修改势力"), 200,
              &TFMap::EditForces);
    addButton(client, QStringLiteral("Button52"), QStringLiteral("修改武将"), 240,
              &TFMap::EditPersons);
    MakeLabel(client, QStringLiteral("Label1"), QStringLiteral("<--点击城市"), 600, 280);
    MakeLabel(client, QStringLiteral("Label2"), QStringLiteral("可修改城市"), 608, 304);
    addButton(client, QStringLiteral("Button56"), QStringLiteral("帮助与说明"), 368,
              &TFMap::ShowAbout);
    addButton(client, QStringLiteral("Button55"), QStringLiteral("退出"), 416, &TFMap::Quit);
    MakeLabel(client, QStringLiteral("Label4"), QStringLiteral("贺岁版V1.1"), 607, 504);
}

QMenu* TFMap::addMenu(const QString& name, const QString& caption, const QKeySequence& shortcut)
{
    QMenu* menu = menuBar()->addMenu(caption);
    menu->setObjectName(name);
    if (!shortcut.isEmpty()) {
        // A shortcut on a submenu opens it, as its Alt key does.
        QAction* action = menu->menuAction();
        action->setShortcut(shortcut);
        connect(action, &QAction::triggered, this,
                [this, action] { menuBar()->setActiveAction(action); });
    }
    return menu;
}

QAction* TFMap::addItem(QMenu* menu, const QString& name, const QString& caption,
                        const QKeySequence& shortcut, void (TFMap::*handler)())
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    // Shortcuts work while the menu is closed, for the whole window.
    addAction(action);
    connect(action, &QAction::triggered, this, handler);
    return action;
}

void TFMap::buildMenu()
{
    QMenuBar* bar = nullptr;
    {
        // The menu bar reads its extension button's icon as it is made; the button shows
        // only when the menus do not fit, which they do here.
        const DeferredIcons deferred;
        bar = menuBar();
    }
    LoadIconWhenShown(bar->findChild<QToolButton*>(QStringLiteral("qt_menubar_ext_button")), [bar] {
        return bar->style()->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton, nullptr,
                                          bar);
    });
    bar->setObjectName(QStringLiteral("MainMenu1"));
    QMenu* file = addMenu(QStringLiteral("F1"), QStringLiteral("文件(&F)"),
                          QKeySequence(Qt::CTRL | Qt::Key_F));
    addItem(file, QStringLiteral("O1"), QStringLiteral("打开(&O)"),
            QKeySequence(Qt::CTRL | Qt::Key_O), &TFMap::ChooseAndOpenScenario);
    file->addMenu(
        new RecentFilesMenu([this](const QString& path) { OpenScenarioAsked(path); }, file));
    addItem(file, QStringLiteral("SaveAsAction"), QStringLiteral("另存为(&A)…"),
            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), &TFMap::ChooseAndSaveAs);
    file->addSeparator()->setObjectName(QStringLiteral("N1"));
    addItem(file, QStringLiteral("X1"), QStringLiteral("退出(&X)"),
            QKeySequence(Qt::CTRL | Qt::Key_X), &TFMap::Quit);

    QMenu* functions = addMenu(QStringLiteral("E1"), QStringLiteral("功能(&E)"), {});
    addItem(functions, QStringLiteral("S1"), QStringLiteral("保存修改(&S)"),
            QKeySequence(Qt::CTRL | Qt::Key_S), &TFMap::SaveEdits);
    functions->addSeparator()->setObjectName(QStringLiteral("N3"));
    addItem(functions, QStringLiteral("N2"), QStringLiteral("重新载入(&R)"),
            QKeySequence(Qt::CTRL | Qt::Key_R), &TFMap::ReloadScenario);
    functions->addSeparator()->setObjectName(QStringLiteral("HistorySeparator"));
    undoAction_ = addItem(functions, QStringLiteral("UndoAction"), QStringLiteral("撤销(&U)"),
                          QKeySequence(Qt::CTRL | Qt::Key_Z), &TFMap::Undo);
    redoAction_ = addItem(functions, QStringLiteral("RedoAction"), QStringLiteral("重做(&Y)"),
                          QKeySequence(Qt::CTRL | Qt::Key_Y), &TFMap::Redo);
    addItem(functions, QStringLiteral("HistoryAction"), QStringLiteral("修改记录(&L)"), {},
            &TFMap::ShowHistory);
    undoAction_->setEnabled(false);
    redoAction_->setEnabled(false);
    addItem(functions, QStringLiteral("CheckAction"), QStringLiteral("检查剧本(&C)"), {},
            &TFMap::ShowCheck);
    addItem(functions, QStringLiteral("TableAction"), QStringLiteral("表格编辑(&T)"),
            QKeySequence(Qt::CTRL | Qt::Key_T), &TFMap::ShowTables);

    QMenu* about = addMenu(QStringLiteral("N4"), QStringLiteral("关于(&A)"),
                           QKeySequence(Qt::CTRL | Qt::Key_A));
    addItem(about, QStringLiteral("N5"), QStringLiteral("关于贺岁版(&H)"),
            QKeySequence(Qt::CTRL | Qt::Key_H), &TFMap::ShowAbout);
}

void TFMap::RefreshCityMap()
{
    for (int city = 0; city < kCities; ++city) {
        const CityMark mark = CityMarkOf(store_, store_.Names(), city);
        SetFontColor(cityButtons_[city], mark.color);
        cityButtons_[city]->setText(mark.text);
    }
}

bool TFMap::fileIsOpen()
{
    if (store_.FileOpen())
        return true;
    ShowMessage(this, NoFileMessage());
    return false;
}

namespace {

// "撤销 城市修改：濮阳(&U)": the menu item names the step it takes.
QString historyActionText(const QString& verb, const QString& step, QChar mnemonic)
{
    QString text = verb;
    if (!step.isEmpty())
        text += u' ' + QString(step).replace(u'&', QStringLiteral("&&"));
    return text + QStringLiteral("(&") + mnemonic + u')';
}

} // namespace

void TFMap::showModifiedState()
{
    setWindowTitle(store_.Modified() ? title_ + QStringLiteral(" *") : title_);
    undoAction_->setEnabled(history_.CanUndo());
    redoAction_->setEnabled(history_.CanRedo());
    undoAction_->setText(historyActionText(QStringLiteral("撤销"), history_.UndoTitle(), u'U'));
    redoAction_->setText(historyActionText(QStringLiteral("重做"), history_.RedoTitle(), u'Y'));
    // Every change of the tables ends here.
    Q_EMIT StoreChanged();
}

void TFMap::showStatus(const QString& text)
{
    statusBar()->showMessage(text);
}

void TFMap::becameFile(const QString& path)
{
    RememberRecentFile(path);
    title_ = OpenedTitle(path);
    watch_->Watch(path);
    declinedDisk_.clear();
    goneSaid_ = false;
    diskCheckDue_ = false;
}

void TFMap::OpenScenarioFile(const QString& path)
{
    QString error;
    if (!store_.Open(path, error)) {
        ShowMessage(this, error);
        return;
    }
    becameFile(path);
    history_.Reset(store_);
    showModifiedState();
    RefreshCityMap();
    statusBar()->clearMessage();
    // The open read only the tables; the rest of the file, which Save As copies, is read into
    // the room the open left for it once the window has been painted, after the look at the
    // file that the window's first activation brings.
    afterFirstPaint([this] { store_.File().KeepBytesOutsideTables(); }, true);
}

void TFMap::OpenScenarioAsked(const QString& path)
{
    if (ConfirmDropChanges())
        OpenScenarioFile(path);
}

bool TFMap::ConfirmDropChanges()
{
    if (!store_.Modified())
        return true;
    switch (AskSaveChanges(this)) {
    case SaveChangesAnswer::Save:
        return save();
    case SaveChangesAnswer::Discard:
        return true;
    case SaveChangesAnswer::Cancel:
        break;
    }
    return false;
}

void TFMap::ChooseAndOpenScenario()
{
    if (!ConfirmDropChanges())
        return;
    const QString path = chooseFile_(this);
    if (!path.isEmpty())
        OpenScenarioFile(path);
}

void TFMap::SaveEdits()
{
    if (fileIsOpen())
        save();
}

void TFMap::ReloadScenario()
{
    if (!fileIsOpen())
        return;
    if (store_.Modified() && !AskReload(this))
        return;
    QString error;
    if (!store_.Reload(error)) {
        ShowMessage(this, error);
        return;
    }
    history_.Reset(store_);
    declinedDisk_.clear();
    showModifiedState();
    RefreshCityMap();
    showStatus(QStringLiteral("已重新载入：") + QDir::toNativeSeparators(store_.FileName()));
}

void TFMap::EditorApplied(EditorKind editor)
{
    if (editor != EditorKind::Person)
        RefreshCityMap();
    history_.Record(store_, editor);
    showModifiedState();
    Q_EMIT StoreEdited();
}

void TFMap::TableEdited(const QString& title)
{
    RefreshCityMap();
    history_.Record(store_, title);
    showModifiedState();
    Q_EMIT StoreEdited();
}

void TFMap::Undo()
{
    if (history_.CanUndo())
        UndoThrough(history_.Position() - 1);
}

void TFMap::Redo()
{
    if (history_.CanRedo())
        RedoThrough(history_.Position());
}

namespace {

// "已撤销：城市修改：濮阳", and how many more steps went with it.
QString stepsStatus(const QString& done, const QString& title, size_t steps)
{
    QString text = done + title;
    if (steps > 1)
        text += QStringLiteral(" 等 %1 步").arg(steps);
    return text;
}

} // namespace

void TFMap::UndoThrough(size_t index)
{
    if (index >= history_.Position())
        return;
    const size_t steps = history_.Position() - index;
    const QString title = history_.Steps()[index].title;
    history_.UndoThrough(index, store_);
    RefreshCityMap();
    showModifiedState();
    showStatus(stepsStatus(QStringLiteral("已撤销："), title, steps));
}

void TFMap::RedoThrough(size_t index)
{
    if (index < history_.Position() || index >= history_.Steps().size())
        return;
    const size_t steps = index + 1 - history_.Position();
    const QString title = history_.Steps()[index].title;
    history_.RedoThrough(index, store_);
    RefreshCityMap();
    showModifiedState();
    showStatus(stepsStatus(QStringLiteral("已重做："), title, steps));
}

void TFMap::ShowHistory()
{
    if (fileIsOpen() && historyDoor_)
        runDoor(historyDoor_);
}

void TFMap::EditForces()
{
    if (fileIsOpen() && forceDoor_)
        runDoor(forceDoor_);
}

void TFMap::EditPersons()
{
    if (fileIsOpen() && personDoor_)
        runDoor(personDoor_);
}

void TFMap::ShowAbout()
{
    if (aboutDoor_)
        runDoor(aboutDoor_);
}

void TFMap::Quit()
{
    close();
}

void TFMap::closeEvent(QCloseEvent* event)
{
    if (ConfirmDropChanges())
        event->accept();
    else
        event->ignore();
}

void TFMap::EditCity(int city)
{
    if (fileIsOpen() && cityDoor_)
        runDoor([this, city] { cityDoor_(city); });
}

void TFMap::ShowCheck()
{
    if (fileIsOpen() && checkDoor_)
        runDoor(checkDoor_);
}

void TFMap::ShowTables()
{
    if (fileIsOpen() && tableDoor_)
        tableDoor_();
}

void TFMap::afterFirstPaint(std::function<void()> step, bool last)
{
    if (painted_ || !isVisible())
        QTimer::singleShot(0, this, std::move(step));
    else
        (last ? afterPaintLast_ : afterPaint_).push_back(std::move(step));
}

void TFMap::paintEvent(QPaintEvent* event)
{
    QMainWindow::paintEvent(event);
    if (painted_)
        return;
    painted_ = true;
    for (auto* steps : {&afterPaint_, &afterPaintLast_}) {
        for (std::function<void()>& step : *steps)
            QTimer::singleShot(0, this, std::move(step));
        steps->clear();
    }
}

void TFMap::dragEnterEvent(QDragEnterEvent* event)
{
    if (!droppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TFMap::dropEvent(QDropEvent* event)
{
    const QString path = droppedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    // A refusal is shown in a modal box; let the drag finish before it opens.
    QTimer::singleShot(0, this, [this, path] { OpenScenarioAsked(path); });
}

} // namespace veldor
