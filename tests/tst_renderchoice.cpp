// The scene graph the viewer starts with, from stubbed OpenGL probes and
// overrides: a software rasteriser or no context means the software path,
// and either environment variable wins over the probe.
#include "renderchoice.h"

#include <QtTest>

using namespace velmora;

namespace {
const QString Llvmpipe = QStringLiteral("llvmpipe (LLVM 15.0.6, 256 bits)");
const QString Intel = QStringLiteral("Mesa Intel(R) UHD Graphics 620 (KBL GT2)");
} // namespace

class RenderChoiceTest : public QObject {
    Q_OBJECT
private slots:
    void choice_data() {
        QTest::addColumn<QString>("glRenderer");
        QTest::addColumn<bool>("contextOk");
        QTest::addColumn<QString>("videoRenderer");
        QTest::addColumn<QString>("quickBackend");
        QTest::addColumn<bool>("software");
        QTest::addColumn<QString>("reason"); // a part the log line must show

        const QString none;
        QTest::newRow("llvmpipe") << Llvmpipe << true << none << none << true << Llvmpipe;
        QTest::newRow("softpipe, other case") << QStringLiteral("Gallium 0.4 on SoftPipe") << true
                                              << none << none << true << QStringLiteral("SoftPipe");
        QTest::newRow("swrast") << QStringLiteral("Mesa swrast") << true << none << none << true
                                << QStringLiteral("software rasteriser");
        QTest::newRow("hardware") << Intel << true << none << none << false << Intel;
        QTest::newRow("no context") << QString() << false << none << none << true
                                    << QStringLiteral("no usable OpenGL context");
        QTest::newRow("opengl forced on llvmpipe")
            << Llvmpipe << true << QStringLiteral("opengl") << none << false
            << QStringLiteral("VELMORA_VIDEO_RENDERER=opengl");
        QTest::newRow("software video on hardware")
            << Intel << true << QStringLiteral("software") << none << false
            << QStringLiteral("VELMORA_VIDEO_RENDERER=software");
        QTest::newRow("unknown video value probes")
            << Llvmpipe << true << QStringLiteral("vulkan") << none << true << Llvmpipe;
        QTest::newRow("software scene graph on hardware")
            << Intel << true << none << QStringLiteral("software") << true
            << QStringLiteral("QT_QUICK_BACKEND=software");
        QTest::newRow("other scene graph without context")
            << QString() << false << none << QStringLiteral("rhi") << false
            << QStringLiteral("QT_QUICK_BACKEND=rhi");
        QTest::newRow("scene graph wins over video")
            << Llvmpipe << true << QStringLiteral("opengl") << QStringLiteral("software") << true
            << QStringLiteral("QT_QUICK_BACKEND=software");
    }
    void choice() {
        QFETCH(QString, glRenderer);
        QFETCH(bool, contextOk);
        QFETCH(QString, videoRenderer);
        QFETCH(QString, quickBackend);
        QFETCH(bool, software);
        QFETCH(QString, reason);

        const RendererChoice choice =
            chooseRenderer(glRenderer, contextOk, {videoRenderer, quickBackend});
        QCOMPARE(choice.software, software);
        QVERIFY2(choice.reason.contains(reason), qPrintable(choice.reason));
    }
};

QTEST_GUILESS_MAIN(RenderChoiceTest)
#include "tst_renderchoice.moc"
