#include "data/files/scenariobackup.h"

#include "data/files/atomicwrite.h"
#include "data/files/scenariofile.h"
#include "data/files/scenariolock.h"
#include "data/files/systemerror.h"
#include "data/files/systemfile.h"

#include <QDir>
#include <QFileInfo>

namespace veldor {

QString ScenarioBackupPath(const QString& scenarioPath)
{
    return QFileInfo(scenarioPath).canonicalFilePath() + QStringLiteral(".bak");
}

bool WriteScenarioBackup(const QString& scenarioPath, QString& error)
{
    return WriteScenarioBackup(scenarioPath, error, ReplaceOptions{});
}

bool WriteScenarioBackup(const QString& scenarioPath, QString& error, const ReplaceOptions& options,
                         QString* warning, QString* folderRefusal)
{
    ScenarioLock lock(scenarioPath);
    QByteArray bytes;
    if (!lock.Acquire(error) || !CheckScenarioWritable(scenarioPath, error) ||
        !ReadScenarioFile(scenarioPath, bytes, error))
        return false;
    return WriteScenarioBackupOf(scenarioPath, bytes, error, options, warning, folderRefusal);
}

bool WriteScenarioBackupOf(const QString& scenarioPath, const QByteArray& bytes, QString& error,
                           const ReplaceOptions& options, QString* warning, QString* folderRefusal)
{
    const QString real = QFileInfo(scenarioPath).canonicalFilePath();
    const QString backup = ScenarioBackupPath(scenarioPath);
    FileStatus like;
    QString reason;
    QStringList warnings;
    if (const int failure = StatusOfPath(real, like))
        reason = SystemReason(failure);
    else if (IsSymbolicLink(backup))
        // Whoever put a link there meant something by it; neither follow nor replace it.
        reason = QStringLiteral("那里是一个符号链接，不会跟随也不会替换它");
    else
        switch (WriteFileAtomically(backup, bytes, &like, options, reason, warnings, real)) {
        case AtomicWrite::Written:
            if (warning && !warnings.isEmpty())
                *warning =
                    QStringLiteral("备份文件“%1”已写好，但%2。")
                        .arg(QDir::toNativeSeparators(backup), warnings.join(QStringLiteral("；")));
            return true;
        case AtomicWrite::FolderRefused:
            if (folderRefusal)
                *folderRefusal = reason;
            break;
        case AtomicWrite::Failed:
            break;
        }
    error = QStringLiteral("无法写入备份文件“%1”：%2。剧本未保存。")
                .arg(QDir::toNativeSeparators(backup), reason);
    return false;
}

} // namespace veldor
