#pragma once

#include <QByteArray>
#include <QString>

class QDialog;
class QRect;

namespace veldor {

class TFMap;

// Scenes the screenshot tool sets up before it takes a picture, so the pictures show the
// features at work rather than an empty window.

// A city change, a force change, a change of several persons and one of a single person,
// each recorded as the editors' Apply records it; the last is undone, so the history shows
// where it stands.
void MakeTypicalEdits(TFMap* map);

// Opens every entry of the change history window but the last, so their field lines show.
void OpenHistoryEntries(QDialog* history);

// Types a value into one of the person editor's fields without assigning it and shows the
// field's tool tip. Returns the area the tip covers, in screen coordinates.
QRect ShowPendingField(QDialog* personEditor);

// Changes the scenario at `path` as another program would (a new file renamed over it): one
// person's value, and city 9's PingMin, which MakeTypicalEdits changes too. Puts the file back
// as it was when destroyed, so that the next picture shows the scenario it asked for.
class DiskChange
{
public:
    explicit DiskChange(const QString& path);
    ~DiskChange();
    bool Made() const { return made_; }

private:
    QString path_;
    QByteArray original_;
    bool made_ = false;
};

} // namespace veldor
