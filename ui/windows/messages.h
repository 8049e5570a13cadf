#pragma once

#include <QString>

class QWidget;

namespace veldor {

// The one place a message reaches the user: a modal box with an OK button. Its objectName is
// "Message", so scripts and tests can find and answer it.
void ShowMessage(QWidget* parent, const QString& text);

// The title of every message box and question: the program's name as its main window's title
// bar shows it.
QString MessageTitle();

} // namespace veldor
