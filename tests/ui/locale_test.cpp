// Chinese names and paths in every locale a user may run the editor in. Qt reads the locale
// once, when the application starts, so each locale gets a process of its own: this program
// again, running only the test that opens, shows and saves.

#include "modalanswer.h"

#include "support/scenariofiles.h"

#include "data/format/gbk.h"
#include "data/format/nametables.h"
#include "data/format/scenariocodec.h"
#include "ui/app/startup.h"
#include "ui/windows/formmap.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace veldor::test {
namespace {

TEST(ChineseText, ShowsAndSavesUnderAChinesePath)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("剧本 文件夹")));
    const QString path = dir.filePath(QStringLiteral("剧本 文件夹/三国 一.kqx"));
    QByteArray bytes = RandomScenarioBytes(11);
    auto tables = std::make_unique<ScenarioTables>();
    DecodeScenario(bytes, *tables);
    tables->cities.Forc[0] = 9;
    tables->forces.King[9] = 10;
    EncodeScenario(*tables, bytes);
    WriteBytes(path, bytes);

    ModalAnswer answers;
    const std::unique_ptr<TFMap> map = ShowEditor(path);
    EXPECT_EQ(map->windowTitle(), QStringLiteral("Veldor剧本修改器V1.0--Orlen制作--") + path);
    auto* button = map->findChild<QAbstractButton*>(QStringLiteral("Button1"));
    ASSERT_NE(button, nullptr);
    // The shipped name list's person 10, read as GBK, gives the mark its first character.
    const QString name = FromGbk(map->Store().Names().person(10));
    ASSERT_FALSE(name.isEmpty());
    EXPECT_GE(name[0].unicode(), 0x4E00) << name.toStdString();
    EXPECT_EQ(button->text(), name.left(1));

    map->Store().cities.Forc[1] = 9;
    map->findChild<QAbstractButton*>(QStringLiteral("Button54"))->click();
    EXPECT_TRUE(answers.messages.isEmpty()) << answers.messages.join('\n').toStdString();
    DecodeScenario(ReadBytes(path), *tables);
    EXPECT_EQ(tables->cities.Forc[1], 9);
    // The save's temporary file took the scenario's name, and the first save's backup lies
    // beside it under the Chinese name too; nothing else is left in the folder.
    EXPECT_EQ(
        QDir(dir.filePath(QStringLiteral("剧本 文件夹"))).entryList(QDir::Files | QDir::Hidden),
        (QStringList{QStringLiteral("三国 一.kqx"), QStringLiteral("三国 一.kqx.bak")}));
}

// zh_CN.UTF-8 is generated on few machines; glibc finds one built into a private folder.
QString buildChineseLocale(const QTemporaryDir& dir)
{
    QProcess list;
    list.start(QStringLiteral("locale"), {QStringLiteral("-a")});
    list.waitForFinished();
    const QString all = QString::fromUtf8(list.readAllStandardOutput()).toLower();
    if (all.split('\n').contains(QStringLiteral("zh_cn.utf8")))
        return QStringLiteral("system");
    if (!QFile::exists(QStringLiteral("/usr/share/i18n/locales/zh_CN")))
        return {};
    QProcess define;
    define.start(QStringLiteral("localedef"),
                 {QStringLiteral("-i"), QStringLiteral("zh_CN"), QStringLiteral("-f"),
                  QStringLiteral("UTF-8"), dir.filePath(QStringLiteral("zh_CN.UTF-8"))});
    define.waitForFinished(60000);
    return QDir(dir.filePath(QStringLiteral("zh_CN.UTF-8"))).exists() ? dir.path() : QString();
}

TEST(ChineseText, InEveryLocale)
{
    QTemporaryDir locales;
    const QString chinese = buildChineseLocale(locales);
    QStringList tried = {QStringLiteral("POSIX"), QStringLiteral("C.UTF-8")};
    if (!chinese.isEmpty())
        tried << QStringLiteral("zh_CN.UTF-8");

    for (const QString& locale : tried) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const QString& name : env.keys())
            if (name == QLatin1String("LANG") || name == QLatin1String("LANGUAGE") ||
                name.startsWith(QLatin1String("LC_")))
                env.remove(name);
        env.insert(QStringLiteral("LC_ALL"), locale);
        if (locale.startsWith(QLatin1String("zh")) && chinese != QLatin1String("system"))
            env.insert(QStringLiteral("LOCPATH"), chinese);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        QProcess child;
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_filter=ChineseText.ShowsAndSavesUnderAChinesePath")});
        ASSERT_TRUE(child.waitForFinished(60000)) << locale.toStdString();
        const QString output = QString::fromUtf8(child.readAll());
        EXPECT_EQ(child.exitCode(), 0) << locale.toStdString() << '\n' << output.toStdString();
        EXPECT_TRUE(output.contains(QStringLiteral("[  PASSED  ] 1 test")))
            << locale.toStdString() << '\n'
            << output.toStdString();
    }
    if (chinese.isEmpty())
        GTEST_SKIP() << "zh_CN.UTF-8 is not generated here and the locales package is missing";
}

} // namespace
} // namespace veldor::test
