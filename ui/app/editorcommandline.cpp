#include "ui/app/editorcommandline.h"

#include "data/version.h"

#include <QCommandLineParser>

namespace veldor {
namespace {

// Qt puts whatever path the program was started by into the usage line.
QString helpText(const QCommandLineParser& parser)
{
    QString text = parser.helpText();
    const int options = text.indexOf(QStringLiteral(" [options]"));
    if (options > 0 && options < text.indexOf('\n'))
        text.replace(0, options, QStringLiteral("Usage: veldor-editor"));
    return text;
}

} // namespace

EditorCommandLine ParseEditorCommandLine(const QStringList& args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Veldor 剧本修改器：修改剧本中的城市、势力与武将。"));
    const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("显示本帮助后退出。"));
    const QCommandLineOption versionOption(
        QStringList{QStringLiteral("v"), QStringLiteral("version")},
        QStringLiteral("显示版本号后退出。"));
    parser.addOption(helpOption);
    parser.addOption(versionOption);
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("主窗口出现后打开的剧本文件，与“打开剧本”相同。"),
                                 QStringLiteral("[FILE]"));

    const bool parsed = parser.parse(args);
    EditorCommandLine line;
    if (parser.isSet(helpOption)) {
        line.action = EditorCommandLine::Action::ShowHelp;
        line.text = helpText(parser);
    } else if (parser.isSet(versionOption)) {
        line.action = EditorCommandLine::Action::ShowVersion;
        line.text = QStringLiteral("veldor-editor %1\n").arg(QLatin1String(kVersion));
    } else if (!parsed) {
        line.action = EditorCommandLine::Action::Refuse;
        line.text = parser.errorText();
    } else if (parser.positionalArguments().size() > 1) {
        line.action = EditorCommandLine::Action::Refuse;
        line.text = QStringLiteral("只能打开一个剧本文件；多余的参数：%1")
                        .arg(parser.positionalArguments().mid(1).join(' '));
    } else {
        line.file = parser.positionalArguments().value(0);
    }
    return line;
}

QStringList ArgumentsOf(int argc, char** argv)
{
    QStringList args;
    for (int k = 0; k < argc; ++k)
        args << QString::fromLocal8Bit(argv[k]);
    return args;
}

} // namespace veldor
