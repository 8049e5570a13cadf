#include "data/session/diskchanges.h"

#include "data/files/scenariofile.h"
#include "data/format/tablecells.h"
#include "data/session/scenariostore.h"

#include <QDir>
#include <QFileInfo>

namespace veldor {

DiskCheck CheckDisk(const ScenarioStore& store)
{
    DiskCheck check;
    if (!store.FileOpen())
        return check;
    const QFileInfo info(store.FileName());
    if (!info.exists()) {
        check.state = DiskState::Gone;
        check.error = QStringLiteral("剧本文件“%1”已被删除或改名。")
                          .arg(QDir::toNativeSeparators(store.FileName()));
        return check;
    }
    // The usual answer needs no more than the tables' bytes, and no copy of the file.
    switch (store.File().CompareTablesOnDisk(check.error)) {
    case TablesOnDisk::Same:
        return check;
    case TablesOnDisk::Unreadable:
        check.state = DiskState::Unreadable;
        return check;
    case TablesOnDisk::Different:
        break;
    }
    QByteArray bytes;
    if (!ReadScenarioFile(store.FileName(), bytes, check.error)) {
        check.state = DiskState::Unreadable;
        return check;
    }
    auto tables = std::make_shared<ScenarioTables>();
    if (store.File().FileTablesUnchanged(bytes, tables.get()))
        return check;
    check.state = DiskState::Changed;
    check.changes = DiffTables(store.File().FileTables(), *tables);
    for (const FieldDifference& d : check.changes)
        if (ReadCell(store, d.table, d.record, d.column) != d.a)
            ++check.changedByUserToo;
    check.bytes = std::move(bytes);
    check.tables = std::move(tables);
    return check;
}

int MergeDiskChanges(ScenarioStore& store, const DiskCheck& check)
{
    if (check.state != DiskState::Changed)
        return 0;
    int taken = 0;
    for (const FieldDifference& d : check.changes)
        if (ReadCell(store, d.table, d.record, d.column) == d.a) {
            WriteCell(store, d.table, d.record, d.column, d.b);
            ++taken;
        }
    store.TakeFileContents(check.bytes, *check.tables, true);
    return taken;
}

void TakeDiskContents(ScenarioStore& store, const DiskCheck& check)
{
    if (check.state == DiskState::Changed)
        store.TakeFileContents(check.bytes, *check.tables, false);
}

} // namespace veldor
