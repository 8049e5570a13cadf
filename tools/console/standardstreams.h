#pragma once

namespace veldor {

// Makes the process's standard streams fit for a command-line program that writes scenario
// bytes and UTF-8 text: the same bytes on every system, a closed pipe reported as a failed
// write rather than a silent death, and descriptor 0 taken even when started without one.
// Call first thing in main(), before anything opens a file.
void PrepareStandardStreams();

} // namespace veldor
