#pragma once

#include <QStringList>

namespace veldor {

// How many scenario files the recent list keeps.
constexpr int kRecentFiles = 8;

// The scenario files opened last, most recent first, as absolute paths, from the user's
// settings.
QStringList RecentFiles();

// Puts `path` at the head of the list, dropping an earlier entry for the same file and any
// past the limit.
void RememberRecentFile(const QString& path);

// Drops every entry whose file no longer exists; returns what is left.
QStringList PruneRecentFiles();

void ClearRecentFiles();

} // namespace veldor
