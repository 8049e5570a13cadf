// Every question answers by the button the user pressed, wherever it stands, and Escape or the
// close box gives the answer that loses nothing and does nothing.
#include "nextanswer.h"

#include "ui/windows/questions.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace veldor::test {
namespace {

// Asks with `ask` once per caption and once more with Escape; checks the answers and that
// the question offered exactly `captions`.
template <class Answer>
void expectAnswers(const std::function<Answer()>& ask, const QString& name,
                   const QStringList& captions, const std::vector<Answer>& answers, Answer safest)
{
    for (int k = 0; k <= captions.size(); ++k) {
        const QString caption = k < captions.size() ? captions[k] : QString();
        NextAnswer next(caption);
        const Answer answer = ask();
        EXPECT_EQ(next.asked, name);
        EXPECT_EQ(next.offered, captions);
        EXPECT_EQ(answer, k < captions.size() ? answers[size_t(k)] : safest)
            << caption.toStdString();
    }
}

TEST(Questions, EachButtonGivesItsOwnAnswerAndEscapeTheSafest)
{
    using P = PendingValuesAnswer;
    expectAnswers<P>(
        [] { return AskPendingValues(nullptr, 2); }, QStringLiteral("PendingValuesQuestion"),
        {QStringLiteral("应用到选中武将"), QStringLiteral("放弃输入"), QStringLiteral("返回")},
        {P::Assign, P::Drop, P::Back}, P::Back);
    // With no row marked nothing could be assigned: the buttons move up, their answers stay.
    expectAnswers<P>(
        [] { return AskPendingValues(nullptr, 1, false); }, QStringLiteral("PendingValuesQuestion"),
        {QStringLiteral("放弃输入"), QStringLiteral("返回")}, {P::Drop, P::Back}, P::Back);
    using D = DiscardEditsAnswer;
    expectAnswers<D>([] { return AskDiscardEdits(nullptr); },
                     QStringLiteral("DiscardEditsQuestion"),
                     {QStringLiteral("应用"), QStringLiteral("放弃"), QStringLiteral("返回")},
                     {D::Apply, D::Discard, D::Back}, D::Back);
    using S = SaveChangesAnswer;
    expectAnswers<S>([] { return AskSaveChanges(nullptr); }, QStringLiteral("SaveChangesQuestion"),
                     {QStringLiteral("保存"), QStringLiteral("不保存"), QStringLiteral("取消")},
                     {S::Save, S::Discard, S::Cancel}, S::Cancel);
    expectAnswers<bool>([] { return AskReload(nullptr); }, QStringLiteral("ReloadQuestion"),
                        {QStringLiteral("重新载入"), QStringLiteral("取消")}, {true, false}, false);
}

// The close box of the question is its Escape; the text says what is at stake.
TEST(Questions, TheCloseBoxGivesTheSafestAnswer)
{
    QString text;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            poll.stop();
            text = box->text();
            box->close();
        }
    });
    poll.start(2);
    EXPECT_EQ(AskDiscardEdits(nullptr), DiscardEditsAnswer::Back);
    EXPECT_EQ(text, QStringLiteral("放弃本窗口中尚未应用的修改？"));
}

} // namespace
} // namespace veldor::test
