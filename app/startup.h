#pragma once

namespace velmora {

// The whole life of the viewer process: prepares the application, registers
// the backend with the scene engine, loads the main scene and runs the event
// loop. Returns the process exit code (-1 when the scene cannot be loaded).
int runViewer(int argc, char *argv[]);

// The application's name, version (the version page shows it) and desktop
// entry, for the viewer and for programs that load its scenes.
void setApplicationIdentity();

} // namespace velmora
