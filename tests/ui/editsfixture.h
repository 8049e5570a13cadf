#pragma once

#include "mapfixture.h"

#include <QMessageBox>

namespace veldor::test {

// The program's windows over an opened scenario, with edits made through the real editors and
// the questions about unsaved work answered by the test.
class EditsWindow : public MapWindow
{
protected:
    void SetUp() override;

    // Each opens its editor through its door, changes one value as a user would and presses
    // OK. The city editor sets city `city`'s PingMin; the force editor the chosen force's
    // Money; the person editor the TongShuai of the person in row `row` (one marked row).
    void applyInCityEditor(int city, int pingMin);
    void applyInForceEditor(int money);
    void applyInPersonEditor(int row, int tongShuai);

    // Answers the next question box with the button captioned `caption`, or with the Escape
    // key where `caption` is empty; it must be the box named `question`, under the program's
    // title. `asked` counts the questions answered.
    void answerNext(const QString& question, const QString& caption);
    QAction* action(const QString& name) const;

    QString path;
    int asked = 0;
};

} // namespace veldor::test
