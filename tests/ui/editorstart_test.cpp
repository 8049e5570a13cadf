#include "modalanswer.h"

#include "support/scenariofiles.h"

#include "data/version.h"
#include "ui/app/editorcommandline.h"
#include "ui/app/qttranslations.h"
#include "ui/app/startup.h"
#include "ui/windows/formmap.h"
#include "ui/windows/messages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>

#include <gtest/gtest.h>

namespace veldor::test {
namespace {

using Action = EditorCommandLine::Action;

EditorCommandLine parsed(const QStringList& words)
{
    return ParseEditorCommandLine(QStringList{QStringLiteral("/any/path/veldor-editor")} + words);
}

TEST(EditorCommandLine, OneFileHelpAndVersionAndNothingElse)
{
    EXPECT_EQ(parsed({}).action, Action::Run);
    EXPECT_TRUE(parsed({}).file.isEmpty());
    EXPECT_EQ(parsed({QStringLiteral("剧本 1.kqx")}).file, QStringLiteral("剧本 1.kqx"));
    // A file whose name looks like an option can still be opened.
    EXPECT_EQ(parsed({QStringLiteral("--"), QStringLiteral("--help")}).file,
              QStringLiteral("--help"));

    for (const QString& help : {QStringLiteral("--help"), QStringLiteral("-h")}) {
        const EditorCommandLine line = parsed({help, QStringLiteral("x.kqx")});
        EXPECT_EQ(line.action, Action::ShowHelp);
        EXPECT_TRUE(line.text.startsWith(QStringLiteral("Usage: veldor-editor [options] [FILE]\n")))
            << line.text.toStdString();
    }
    for (const QString& version : {QStringLiteral("--version"), QStringLiteral("-v")}) {
        const EditorCommandLine line = parsed({version});
        EXPECT_EQ(line.action, Action::ShowVersion);
        EXPECT_EQ(line.text, QStringLiteral("veldor-editor %1\n").arg(QLatin1String(kVersion)));
    }
    // Help still answers beside an option only Qt knows.
    EXPECT_EQ(parsed({QStringLiteral("-style"), QStringLiteral("fusion"), QStringLiteral("--help")})
                  .action,
              Action::ShowHelp);

    const EditorCommandLine two = parsed({QStringLiteral("a.kqx"), QStringLiteral("b.kqx")});
    EXPECT_EQ(two.action, Action::Refuse);
    EXPECT_TRUE(two.text.contains(QStringLiteral("b.kqx")));
    EXPECT_EQ(parsed({QStringLiteral("--bogus")}).action, Action::Refuse);
}

struct ProgramRun
{
    int code;
    QString out, err;
};

ProgramRun runEditor(const QStringList& args, const QString& platform)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(VELDOR_EDITOR_PATH), args);
    if (!process.waitForFinished(20000))
        process.kill();
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// xcb without a display would end the program: help and version must not need one.
TEST(EditorProgram, HelpAndVersionAnswerWithoutADisplay)
{
    const ProgramRun version = runEditor({QStringLiteral("--version")}, QStringLiteral("xcb"));
    EXPECT_EQ(version.code, 0) << version.err.toStdString();
    EXPECT_EQ(version.out, QStringLiteral("veldor-editor %1\n").arg(QLatin1String(kVersion)));

    const ProgramRun help = runEditor({QStringLiteral("--help")}, QStringLiteral("xcb"));
    EXPECT_EQ(help.code, 0) << help.err.toStdString();
    EXPECT_TRUE(help.out.contains(QStringLiteral("[FILE]"))) << help.out.toStdString();

    const ProgramRun two =
        runEditor({QStringLiteral("a.kqx"), QStringLiteral("b.kqx")}, QStringLiteral("offscreen"));
    EXPECT_EQ(two.code, 1);
    EXPECT_TRUE(two.out.isEmpty());
    EXPECT_TRUE(two.err.contains(QStringLiteral("veldor-editor: 只能打开一个剧本文件")))
        << two.err.toStdString();
}

TEST(EditorStart, OpensTheFileOfTheCommandLineAsTheOpenButtonDoes)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("剧本 一.kqx"));
    WriteBytes(path, RandomScenarioBytes(5));
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    ModalAnswer answers;
    // A relative name is shown and kept as the absolute path the open dialog would give.
    const std::unique_ptr<TFMap> map = ShowEditor(QStringLiteral("剧本 一.kqx"));
    QDir::setCurrent(before);
    EXPECT_TRUE(map->isVisible());
    EXPECT_EQ(map->Store().FileName(), path);
    EXPECT_EQ(map->windowTitle(), OpenedTitle(path));
    EXPECT_TRUE(answers.messages.isEmpty()) << answers.messages.join('\n').toStdString();

    const QString missing = dir.filePath(QStringLiteral("没有.kqx"));
    const std::unique_ptr<TFMap> refused = ShowEditor(missing);
    EXPECT_FALSE(refused->Store().FileOpen());
    EXPECT_EQ(refused->windowTitle(), StartTitle());
    // The same refusal the open button gives.
    TFMap reference;
    reference.setFileChooser([missing](QWidget*) { return missing; });
    reference.ChooseAndOpenScenario();
    ASSERT_EQ(answers.messages.size(), 2);
    EXPECT_TRUE(answers.messages[0].contains(QStringLiteral("没有.kqx")));
    EXPECT_EQ(answers.messages[0], answers.messages[1]);
}

class QtTexts : public ::testing::Test
{
protected:
    void TearDown() override
    {
        for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }

    static QString ok() { return QCoreApplication::translate("QPlatformTheme", "OK"); }
};

TEST_F(QtTexts, FollowTheLocaleWhereQtSpeaksItElseSimplifiedChinese)
{
    ASSERT_TRUE(InstallQtTranslations(*qApp, QLocale::c()));
    EXPECT_EQ(ok(), QStringLiteral("确定"));
    TearDown();
    ASSERT_TRUE(InstallQtTranslations(*qApp, QLocale(QStringLiteral("sw_KE"))));
    EXPECT_EQ(ok(), QStringLiteral("确定"));
    TearDown();
    ASSERT_TRUE(InstallQtTranslations(*qApp, QLocale(QStringLiteral("zh_TW"))));
    EXPECT_EQ(ok(), QStringLiteral("確定"));
    TearDown();
    ASSERT_TRUE(InstallQtTranslations(*qApp, QLocale(QStringLiteral("de_DE"))));
    EXPECT_NE(ok(), QStringLiteral("确定"));
}

TEST_F(QtTexts, MessageBoxButtonsAndFileDialogSpeakChinese)
{
    ASSERT_TRUE(InstallQtTranslations(*qApp, QLocale::c()));
    QString buttonText;
    QTimer poll;
    poll.setInterval(2);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            buttonText = box->buttons().value(0)->text();
            box->accept();
        }
    });
    poll.start();
    ShowMessage(nullptr, QStringLiteral("消息"));
    EXPECT_EQ(buttonText.remove('&'), QStringLiteral("确定"));
    EXPECT_NE(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Look in:"));
    EXPECT_NE(QCoreApplication::translate("QLineEdit", "&Copy"), QStringLiteral("&Copy"));
}

} // namespace
} // namespace veldor::test
