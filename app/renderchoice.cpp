#include "renderchoice.h"

#include "applog.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QQuickWindow>
#include <QSGRendererInterface>

namespace velmora {

namespace {
QString envText(const char *name) {
    return qEnvironmentVariable(name).trimmed();
}

bool overridesProbe(const RendererOverrides &overrides) {
    return !overrides.quickBackend.isEmpty() ||
           overrides.videoRenderer == QLatin1String("opengl") ||
           overrides.videoRenderer == QLatin1String("software");
}

// GL_RENDERER of a context on an offscreen surface; ok false when there is
// no context to ask.
QString probeGlRenderer(bool *ok) {
    *ok = false;
    QOpenGLContext context;
    if (!context.create())
        return QString();
    QOffscreenSurface surface;
    surface.setFormat(context.format());
    surface.create();
    if (!surface.isValid() || !context.makeCurrent(&surface))
        return QString();
    const auto *renderer =
        reinterpret_cast<const char *>(context.functions()->glGetString(GL_RENDERER));
    const QString name = QString::fromLatin1(renderer);
    context.doneCurrent();
    *ok = renderer != nullptr;
    return name;
}
} // namespace

RendererChoice chooseRenderer(const QString &glRenderer, bool contextOk,
                              const RendererOverrides &overrides) {
    // QT_QUICK_BACKEND picks the scene graph on its own; only the log needs
    // to know.
    const QString &backend = overrides.quickBackend;
    if (!backend.isEmpty()) {
        return {backend == QLatin1String("software") || backend == QLatin1String("softwarecontext"),
                QStringLiteral("QT_QUICK_BACKEND=%1").arg(backend)};
    }
    // "software" keeps its old meaning: the software video path on the
    // OpenGL scene graph. "opengl" keeps OpenGL even on a software rasteriser.
    if (overridesProbe(overrides))
        return {false, QStringLiteral("VELMORA_VIDEO_RENDERER=%1").arg(overrides.videoRenderer)};

    if (!contextOk)
        return {true, QStringLiteral("no usable OpenGL context")};
    for (const char *rasteriser : {"llvmpipe", "softpipe", "swrast"}) {
        if (glRenderer.contains(QLatin1String(rasteriser), Qt::CaseInsensitive))
            return {
                true,
                QStringLiteral("OpenGL renderer \"%1\" is a software rasteriser").arg(glRenderer)};
    }
    return {false, QStringLiteral("OpenGL renderer \"%1\"").arg(glRenderer)};
}

void applyRendererChoice() {
    const RendererOverrides overrides{envText("VELMORA_VIDEO_RENDERER"),
                                      envText("QT_QUICK_BACKEND")};
    bool contextOk = false;
    QString renderer;
    if (!overridesProbe(overrides))
        renderer = probeGlRenderer(&contextOk);

    const RendererChoice choice = chooseRenderer(renderer, contextOk, overrides);
    if (choice.software)
        QQuickWindow::setSceneGraphBackend(QSGRendererInterface::Software);
    qCInfo(lcStartup).noquote() << QStringLiteral("picture path: %1 (%2)")
                                       .arg(QLatin1String(choice.software ? "software" : "OpenGL"),
                                            choice.reason);
}

} // namespace velmora
