#pragma once

#include <QString>

#include <memory>

class QDialog;
class QWidget;

namespace veldor {

class TFMap;
class TFAbout;
class TFCheck;

// The windows of a run. FMap is a top-level window and the parent of the others, so
// deleting it deletes them all. The others are built when their door first opens them, as
// children of FMap with their names; here they stay null.
struct Windows
{
    TFMap* FMap = nullptr;
    QDialog* FCity = nullptr;
    QDialog* FForc = nullptr;
    QDialog* FPrsn = nullptr;
    TFAbout* FAbout = nullptr;
    QDialog* FHistory = nullptr;
    TFCheck* FCheck = nullptr;
};

// Builds the main window and plugs each other window into its door of the main window, to be
// built on first use. Nothing is shown. The program and its tests both start here.
Windows CreateWindows();

// Puts the window in the middle of its screen.
void CenterOnScreen(QWidget* window);

// The windows built, the main window centred and shown, the name-list warning once, then
// `file` (unless empty) opened as "打开剧本" opens it, a refusal in the same message box.
std::unique_ptr<TFMap> ShowEditor(const QString& file);

// The whole program: the command line, application, Qt's own texts in Chinese, ShowEditor, the
// message loop until the main window closes. Returns the process's exit code.
int RunEditor(int& argc, char** argv);

} // namespace veldor
