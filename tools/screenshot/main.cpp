#include "windowshot.h"

#include "ui/app/application.h"
#include "ui/app/startup.h"
#include "ui/windows/formmap.h"

#include <QCommandLineParser>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

// The scale has to be in the environment before the application object exists, so it is read
// from the raw arguments ahead of the parser.
void applyScaleOption(int argc, char** argv)
{
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--scale") == 0)
            qputenv("QT_SCALE_FACTOR", argv[i + 1]);
}

veldor::ShotRequest parse(const QCoreApplication& app)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Writes a PNG picture of one window of the Veldor scenario editor."));
    parser.addHelpOption();
    parser.addOption(
        {QStringLiteral("window"),
         QStringLiteral("FMap, FAbout, FCity, FForc, FPrsn, FHistory, FCheck, FTable, "
                        "ExternalChangeQuestion or DiscardEditsQuestion (default FMap). FHistory "
                        "shows the history of a few edits the tool makes itself; FCheck the "
                        "findings of the scenario; ExternalChangeQuestion the question at a save "
                        "after those edits and a change on disk; DiscardEditsQuestion the "
                        "question on closing the city editor (--city) with a value changed."),
         QStringLiteral("NAME"), QStringLiteral("FMap")});
    parser.addOption({QStringLiteral("scenario"), QStringLiteral("Open this scenario file first."),
                      QStringLiteral("FILE")});
    parser.addOption({QStringLiteral("city"),
                      QStringLiteral("City index 0..49 shown by FCity (city button N is index "
                                     "N - 1)."),
                      QStringLiteral("N"), QStringLiteral("0")});
    parser.addOption({QStringLiteral("find"),
                      QStringLiteral("Text typed into the window's find field (FCity, FForc, "
                                     "FPrsn) or filter (FTable)."),
                      QStringLiteral("TEXT")});
    parser.addOption({QStringLiteral("scale"),
                      QStringLiteral("Device pixel ratio of the picture, e.g. 2."),
                      QStringLiteral("FACTOR"), QStringLiteral("1")});
    parser.addOption({QStringLiteral("pending"),
                      QStringLiteral("FPrsn: show a value typed but not assigned, with its tip.")});
    parser.addOption({QStringLiteral("disk-change"),
                      QStringLiteral("FMap: another program changes the scenario first.")});
    parser.addOption({{QStringLiteral("o"), QStringLiteral("output")},
                      QStringLiteral("PNG file to write."),
                      QStringLiteral("PATH")});
    parser.process(app);
    if (!parser.isSet(QStringLiteral("output"))) {
        std::fprintf(stderr, "veldor-shot: -o PATH is required\n");
        std::exit(2);
    }
    const QString window = parser.value(QStringLiteral("window"));
    const QStringList windows = {QStringLiteral("FMap"),
                                 QStringLiteral("FAbout"),
                                 QStringLiteral("FCity"),
                                 QStringLiteral("FForc"),
                                 QStringLiteral("FPrsn"),
                                 QStringLiteral("FHistory"),
                                 QStringLiteral("FCheck"),
                                 QStringLiteral("FTable"),
                                 QStringLiteral("ExternalChangeQuestion"),
                                 QStringLiteral("DiscardEditsQuestion")};
    if (!windows.contains(window)) {
        std::fprintf(stderr, "veldor-shot: --window takes one of %s\n",
                     qPrintable(windows.join(QStringLiteral(", "))));
        std::exit(2);
    }
    bool ok = false;
    const int city = parser.value(QStringLiteral("city")).toInt(&ok);
    if (!ok || city < 0 || city > 49) {
        std::fprintf(stderr, "veldor-shot: --city takes 0..49\n");
        std::exit(2);
    }
    return {window,
            parser.value(QStringLiteral("scenario")),
            city,
            parser.value(QStringLiteral("output")),
            parser.isSet(QStringLiteral("pending")),
            parser.value(QStringLiteral("find")),
            parser.isSet(QStringLiteral("disk-change"))};
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    applyScaleOption(argc, argv);
    // A picture must not leave the scenario it opens in the user's recent files.
    const QTemporaryDir settings;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    veldor::Application app(argc, argv);
    const veldor::ShotRequest request = parse(app);
    veldor::FailOnAnyMessage(request.window);
    const veldor::Windows windows = veldor::CreateWindows();
    const std::unique_ptr<veldor::TFMap> owner(windows.FMap);
    QString error;
    if (!veldor::TakeShot(windows, request, error)) {
        std::fprintf(stderr, "veldor-shot: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("%s\n", qPrintable(request.output));
    return 0;
}
