#pragma once

class QCoreApplication;
class QLocale;

namespace veldor {

// Gives Qt's own texts (the file dialog, message-box buttons, the context menus of edit fields)
// the language of `locale` where Qt ships a translation for it, and otherwise Simplified
// Chinese like every text of the program itself. Returns false when neither could be loaded;
// the texts then stay Qt's English.
bool InstallQtTranslations(QCoreApplication& application, const QLocale& locale);

} // namespace veldor
