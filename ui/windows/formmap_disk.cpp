// The main window and the file on disk: changes by other programs, saving and Save As.
#include "ui/windows/formmap.h"

#include "data/session/diskchanges.h"
#include "ui/widgets/scenariowatch.h"
#include "ui/windows/messages.h"
#include "ui/windows/questions.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QTimer>

namespace veldor {
namespace {

// Saving over the file already open is an ordinary save, whatever name reaches it.
bool sameFile(const QString& a, const QString& b)
{
    const QFileInfo first(a), second(b);
    return first.exists() && second.exists() &&
           first.canonicalFilePath() == second.canonicalFilePath();
}

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

void TFMap::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    // After the event: a question opened from here must not run inside the activation. The
    // window's first activation, as the program starts, compares the file just opened with
    // itself: that can wait until the window is seen.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        afterFirstPaint([this] { CheckFileOnDisk(); });
}

void TFMap::runDoor(const std::function<void()>& door)
{
    door();
    if (diskCheckDue_)
        CheckFileOnDisk();
}

void TFMap::CheckFileOnDisk()
{
    if (!store_.FileOpen() || checkingDisk_)
        return;
    // An editor's working copy was taken from the store; changing the store under it would
    // let its Apply undo what was taken in.
    if (QApplication::activeModalWidget() != nullptr) {
        diskCheckDue_ = true;
        return;
    }
    diskCheckDue_ = false;
    takeInDiskChanges(false);
}

TFMap::DiskVerdict TFMap::takeInDiskChanges(bool atSave)
{
    checkingDisk_ = true;
    const DiskCheck check = CheckDisk(store_);
    DiskVerdict verdict = DiskVerdict::Save;
    switch (check.state) {
    case DiskState::Unchanged:
        goneSaid_ = false;
        break;
    case DiskState::Unreadable:
        // A save reports why it cannot read the file; a passing glance keeps quiet.
        break;
    case DiskState::Gone:
        verdict = DiskVerdict::Stop;
        if (atSave || !goneSaid_) {
            goneSaid_ = true;
            showStatus(check.error);
            if (AskSaveElsewhere(this, check.error))
                ChooseAndSaveAs();
        }
        break;
    case DiskState::Changed:
        verdict = answerExternalChange(check, atSave);
        break;
    }
    checkingDisk_ = false;
    return verdict;
}

TFMap::DiskVerdict TFMap::answerExternalChange(const DiskCheck& check, bool atSave)
{
    if (!store_.Modified()) {
        reloadFromDisk(check);
        return DiskVerdict::Done;
    }
    if (!atSave && check.bytes == declinedDisk_)
        return DiskVerdict::Stop;
    switch (AskExternalChange(this, int(check.changes.size()), check.changedByUserToo)) {
    case ExternalChangeAnswer::Merge: {
        const int taken = MergeDiskChanges(store_, check);
        history_.Record(store_, EditorKind::DiskMerge);
        declinedDisk_.clear();
        RefreshCityMap();
        showModifiedState();
        QString text = QStringLiteral("已合并外部修改：%1 项").arg(taken);
        if (check.changedByUserToo > 0)
            text += QStringLiteral("；%1 项保留了你的值").arg(check.changedByUserToo);
        showStatus(text);
        Q_EMIT StoreEdited();
        return DiskVerdict::Save;
    }
    case ExternalChangeAnswer::Reload:
        if (!AskReload(this))
            break;
        reloadFromDisk(check);
        return DiskVerdict::Done;
    case ExternalChangeAnswer::Overwrite:
        if (!atSave)
            save(true);
        return DiskVerdict::Overwrite;
    case ExternalChangeAnswer::Cancel:
        break;
    }
    declinedDisk_ = check.bytes;
    return DiskVerdict::Stop;
}

void TFMap::reloadFromDisk(const DiskCheck& check)
{
    TakeDiskContents(store_, check);
    history_.Reset(store_);
    declinedDisk_.clear();
    RefreshCityMap();
    showModifiedState();
    showStatus(QStringLiteral("剧本已被其他程序修改，已重新载入"));
    Q_EMIT StoreEdited();
}

bool TFMap::save(bool overwriting)
{
    if (!overwriting) {
        switch (takeInDiskChanges(true)) {
        case DiskVerdict::Save:
            break;
        case DiskVerdict::Overwrite:
            overwriting = true;
            break;
        case DiskVerdict::Done:
            return true;
        case DiskVerdict::Stop:
            return false;
        }
    }
    // A change on disk between the comparison and the save is asked about once more.
    for (int attempt = 0; attempt < 3; ++attempt) {
        QString error, warning;
        switch (store_.SaveEdits(error, &warning, overwriting)) {
        case SaveOutcome::Saved:
            declinedDisk_.clear();
            reportSaved(store_.FileName(), warning);
            return true;
        case SaveOutcome::Failed:
            ShowMessage(this, error);
            return false;
        case SaveOutcome::NoBackup:
            if (!AskSaveWithoutBackup(this, error))
                return false;
            store_.File().AllowSaveWithoutBackup();
            break;
        case SaveOutcome::ChangedOnDisk:
            return save(false);
        }
    }
    return false;
}

void TFMap::ChooseAndSaveAs()
{
    if (!fileIsOpen())
        return;
    const QString path = chooseSaveAs_(this);
    if (path.isEmpty())
        return;
    if (sameFile(path, store_.FileName()))
        save();
    else
        saveAs(QFileInfo(path).absoluteFilePath());
}

bool TFMap::saveAs(const QString& path)
{
    QString error, warning;
    if (!store_.SaveAs(path, error, &warning)) {
        ShowMessage(this, error);
        return false;
    }
    becameFile(path);
    reportSaved(path, warning);
    return true;
}

void TFMap::reportSaved(const QString& path, const QString& warning)
{
    showModifiedState();
    showStatus(QStringLiteral("已保存：") + shown(path) +
               (warning.isEmpty() ? QString() : QStringLiteral("。") + warning));
    if (!warning.isEmpty())
        ShowMessage(this, warning);
}

} // namespace veldor
