#include "ui/app/qttranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace veldor {

bool InstallQtTranslations(QCoreApplication& application, const QLocale& locale)
{
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto* translator = new QTranslator(&application);
    // qtbase holds every text of Qt Core, Gui and Widgets; the catalogue of all modules would
    // load translations of modules the program never uses.
    const QString catalogue = QStringLiteral("qtbase");
    const QLocale simplifiedChinese(QLocale::Chinese, QLocale::SimplifiedHanScript, QLocale::China);
    if (translator->load(locale, catalogue, QStringLiteral("_"), folder) ||
        translator->load(simplifiedChinese, catalogue, QStringLiteral("_"), folder))
        return application.installTranslator(translator);
    delete translator;
    return false;
}

} // namespace veldor
