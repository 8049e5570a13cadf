#pragma once

#include "data/session/scenariohistory.h"
#include "data/session/scenariostore.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <vector>

class QMenu;
class QPushButton;

namespace veldor {

class ButtonCaptions;
class MapImage;
class ScenarioWatch;
struct DiskCheck;

// The main window: the map with one button per city, the file actions, and the doors to the
// editors. It owns the scenario store for the whole run.
class TFMap : public QMainWindow
{
    Q_OBJECT
public:
    // Asks the user for a scenario file; an empty result means cancelled.
    using FileChooser = std::function<QString(QWidget* parent)>;

    explicit TFMap(QWidget* parent = nullptr);
    ~TFMap() override;

    ScenarioStore& Store() { return store_; }
    const ScenarioHistory& History() const { return history_; }
    // The memory the history may take (tests reach its limit this way).
    void SetHistoryBudget(size_t bytes) { history_.SetMemoryBudget(bytes); }
    // What loading the name lists had to say at start-up (empty when all were found).
    const QString& NameListWarning() const { return nameListWarning_; }

    // Repaints all 50 city buttons from the store.
    void RefreshCityMap();

    // The editors plug in here; each door runs only after the file-open check passed.
    void setCityEditorDoor(std::function<void(int city)> door) { cityDoor_ = std::move(door); }
    void setForceEditorDoor(std::function<void()> door) { forceDoor_ = std::move(door); }
    void setPersonEditorDoor(std::function<void()> door) { personDoor_ = std::move(door); }
    void setAboutDoor(std::function<void()> door) { aboutDoor_ = std::move(door); }
    void setCheckDoor(std::function<void()> door) { checkDoor_ = std::move(door); }
    void setTableDoor(std::function<void()> door) { tableDoor_ = std::move(door); }
    // Replaces the open dialog (tests answer it this way).
    void setFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }
    // Replaces the Save As dialog, which asks before it overwrites a file.
    void setSaveAsChooser(FileChooser chooser) { chooseSaveAs_ = std::move(chooser); }

    // Opens `path` as the current scenario: the steps of "打开" after the dialog.
    void OpenScenarioFile(const QString& path);
    // Every door that opens a file without a dialog of its own (a drop, a recent file, the
    // command line) comes here: unsaved changes are asked about first.
    void OpenScenarioAsked(const QString& path);
    // While the scenario is modified, asks whether to save it first. True means go on: saved,
    // not modified, or the user chose to drop the changes.
    bool ConfirmDropChanges();

    // An editor's Apply or OK has written the store: one step of the history.
    void EditorApplied(EditorKind editor);
    // The table window has written the store: one step named `title`.
    void TableEdited(const QString& title);
    void Undo();
    void Redo();
    // Undoes step `index` of the history and every applied step after it.
    void UndoThrough(size_t index);
    // Redoes every undone step up to and including step `index`.
    void RedoThrough(size_t index);
    // Replaces the change history window (tests and the screenshot tool reach it this way).
    void setHistoryDoor(std::function<void()> door) { historyDoor_ = std::move(door); }
    void ShowHistory(); // 修改记录(&L)

    void ChooseAndOpenScenario(); // 打开剧本 / 打开(&O)
    void SaveEdits();             // 保存修改 / 保存修改(&S)
    void ReloadScenario();        // 重新载入 / 重新载入(&R)
    void EditForces();            // 修改势力
    void EditPersons();           // 修改武将
    void ShowAbout();             // 帮助与说明 / 关于贺岁版(&H)
    void Quit();                  // 退出 / 退出(&X)
    void EditCity(int city);
    void ShowCheck();       // 检查剧本(&C)
    void ShowTables();      // 表格编辑(&T)
    void ChooseAndSaveAs(); // 另存为(&A)…

    // Compares the file with what was last read from it or written to it, and takes in what
    // another program changed: by itself while the user has no unsaved changes, otherwise
    // as the user answers. Runs when the file changes, when the window becomes active and
    // before every save; waits while an editor or other window is open.
    void CheckFileOnDisk();

Q_SIGNALS:
    // An editor stored its working copy into the store (Apply or OK).
    void StoreEdited();
    // The tables may differ from what a window last showed: opened, reloaded, edited, undone
    // or redone.
    void StoreChanged();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    MapImage* buildMap(QWidget* client);
    void buildCityButtons(QWidget* client);
    void buildSideButtons(QWidget* client);
    void buildMenu();
    QMenu* addMenu(const QString& name, const QString& caption, const QKeySequence& shortcut);
    QAction* addItem(QMenu* menu, const QString& name, const QString& caption,
                     const QKeySequence& shortcut, void (TFMap::*handler)());
    QPushButton* addButton(QWidget* client, const QString& name, const QString& caption, int top,
                           void (TFMap::*handler)());
    // The file-open check: true when a file is open, otherwise tells the user so.
    bool fileIsOpen();
    // The window's title, with " *" while the scenario is modified; undo and redo enabled
    // while there is something to take back or replay.
    void showModifiedState();
    // `overwriting`: the user chose to write over what another program changed.
    bool save(bool overwriting = false);
    // Opens the doors of `door` and, once its window closed, takes in a change on disk that
    // waited for it.
    void runDoor(const std::function<void()>& door);
    // Runs `step` from the event loop, once the window has been painted for the first time
    // if it is shown and not painted yet: what the first sight of the window need not wait
    // for comes after it. `last` steps run after the others waiting with them.
    void afterFirstPaint(std::function<void()> step, bool last = false);
    void showStatus(const QString& text);
    // The file as it is now became the current scenario: title, recent files, watch.
    void becameFile(const QString& path);

    // What a save goes on with after the file was compared with the disk.
    enum class DiskVerdict { Save, Overwrite, Done, Stop };
    DiskVerdict takeInDiskChanges(bool atSave);
    DiskVerdict answerExternalChange(const DiskCheck& check, bool atSave);
    void reloadFromDisk(const DiskCheck& check);
    bool saveAs(const QString& path);
    // After a save to `path`: the title loses its mark, the status bar says so, and a warning
    // the save gave is shown there and in a message.
    void reportSaved(const QString& path, const QString& warning);
    ScenarioStore store_;
    ScenarioHistory history_;
    QString title_;
    QAction* undoAction_ = nullptr;
    QAction* redoAction_ = nullptr;
    std::function<void()> historyDoor_;
    QString nameListWarning_;
    QPushButton* cityButtons_[kCities] = {};
    // The city buttons' captions, shaped once per distinct mark.
    std::unique_ptr<ButtonCaptions> captions_;
    FileChooser chooseFile_;
    FileChooser chooseSaveAs_;
    ScenarioWatch* watch_ = nullptr;
    // Set while a change on disk is being taken in (its questions are open), and while one
    // waits for the windows in front to close.
    bool checkingDisk_ = false;
    bool diskCheckDue_ = false;
    // The file's contents the user last answered 取消 to: not asked again until they change,
    // except at a save.
    QByteArray declinedDisk_;
    // The file was said to be gone; said again only after it came back.
    bool goneSaid_ = false;
    bool painted_ = false;
    std::vector<std::function<void()>> afterPaint_;
    std::vector<std::function<void()>> afterPaintLast_;
    std::function<void(int)> cityDoor_;
    std::function<void()> forceDoor_;
    std::function<void()> personDoor_;
    std::function<void()> aboutDoor_;
    std::function<void()> checkDoor_;
    std::function<void()> tableDoor_;
};

// The window titles before and after a scenario is opened.
QString StartTitle();
QString OpenedTitle(const QString& path);

// The open dialog proper, with the scenario and all-files filters.
QString ChooseScenarioFile(QWidget* parent);
// The Save As dialog, which asks before it overwrites a file.
QString ChooseSaveAsFile(QWidget* parent);

} // namespace veldor
