#pragma once

#include <QString>

namespace veldor {

struct Windows;

struct ShotRequest
{
    // FMap, FAbout, FCity, FForc, FPrsn, FHistory, FCheck or ExternalChangeQuestion
    QString window;
    QString scenario;     // opened first when not empty
    int city = 0;         // the city shown by FCity (0..49)
    QString output;       // PNG path
    bool pending = false; // FPrsn: a typed value not assigned yet, with its tool tip
    QString find;         // typed into the window's find field when not empty
    // FMap: another program changed the file, and the window took it in
    bool diskChange = false;
};

// Takes the picture. On failure returns false with the reason in `error`.
bool TakeShot(const Windows& windows, const ShotRequest& request, QString& error);

// Ends the process with `message` on stderr as soon as any message box opens: a tool run has
// no one to answer it, and a message always means the request could not be met. The box named
// `expected` is the picture asked for.
void FailOnAnyMessage(const QString& expected = {});

} // namespace veldor
