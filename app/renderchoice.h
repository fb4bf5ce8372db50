#pragma once

#include <QString>

namespace velmora {

// Which scene graph the viewer starts with, and why (for the log).
struct RendererChoice {
    bool software = false; // the software scene graph, hence the software video path
    QString reason;
};

// The environment that overrides the probe; empty when unset.
struct RendererOverrides {
    QString videoRenderer; // VELMORA_VIDEO_RENDERER: "opengl" or "software"
    QString quickBackend;  // QT_QUICK_BACKEND
};

// Decides from the OpenGL probe (contextOk false when no context could be
// made; glRenderer is GL_RENDERER then) and the overrides. A software
// rasteriser draws the views at about three times the cost of the software
// path, so it counts as no OpenGL at all.
RendererChoice chooseRenderer(const QString &glRenderer, bool contextOk,
                              const RendererOverrides &overrides);

// Reads the overrides from the environment, probes OpenGL when neither is
// set, switches to the software scene graph if so chosen and logs the choice.
// Call once the application exists and before the first window is made.
void applyRendererChoice();

} // namespace velmora
