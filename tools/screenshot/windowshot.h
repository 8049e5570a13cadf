#pragma once

#include <QString>

namespace veldor {

struct Windows;

struct ShotRequest
{
    QString window;       // FMap, FAbout, FCity, FForc, FPrsn or FHistory
    QString scenario;     // opened first when not empty
    int city = 0;         // the city shown by FCity (0..49)
    QString output;       // PNG path
    bool pending = false; // FPrsn: a typed value not assigned yet, with its tool tip
};

// Takes the picture. On failure returns false with the reason in `error`.
bool TakeShot(const Windows& windows, const ShotRequest& request, QString& error);

// Ends the process with `message` on stderr as soon as any message box opens: a tool run has
// no one to answer it, and a message always means the request could not be met.
void FailOnAnyMessage();

} // namespace veldor
