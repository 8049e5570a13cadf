#pragma once

#include "data/format/fielddiff.h"

#include <QByteArray>
#include <QString>

#include <memory>

namespace veldor {

class ScenarioStore;

// What the file holds now against what the store last read from it or wrote to it. Only the
// tables count: a file rewritten with the same tables, or merely touched, is unchanged.
enum class DiskState { Unchanged, Changed, Gone, Unreadable };

struct DiskCheck
{
    DiskState state = DiskState::Unchanged;
    // Gone, Unreadable: names the file and the reason.
    QString error;
    // Changed: the file's contents and tables now, and the fields that differ from the tables
    // last read, of which `changedByUserToo` also differ in the store.
    QByteArray bytes;
    std::shared_ptr<ScenarioTables> tables;
    FieldDifferences changes;
    int changedByUserToo = 0;
};

// Reads the store's file again and compares it with what the store last read or wrote.
DiskCheck CheckDisk(const ScenarioStore& store);

// Takes the disk's changes into the store's tables field by field: a field the user left alone
// takes the disk's value, a field the user changed keeps the user's. The checked contents
// become the file as last read, so the user's own changes stay the store's modifications.
// Returns how many fields took the disk's value.
int MergeDiskChanges(ScenarioStore& store, const DiskCheck& check);

// The store's tables become the checked file's, as a reload leaves them.
void TakeDiskContents(ScenarioStore& store, const DiskCheck& check);

} // namespace veldor
