// The viewer's own settings and the screens' geometry.
#include "backendlog.h"
#include "fileio.h"

#include "screengeometry.h"

#include <QDebug>

namespace DialogSize = velmora::DialogSize;
namespace Screens = velmora::ScreenGeometry;

void FileIO::setViewerConfigFile(const velmora::ViewerConfigFile &file) {
    m_viewerConfig = file;
}

int FileIO::vlang() const {
    return m_viewer.lang == QLatin1String("fr") ? 1 : 0;
}

int FileIO::vresolution() const {
    qCDebug(lcSettings).nospace() << "m_ViewerResolution ============> " << m_viewer.resolution;
    return m_viewer.resolution;
}

int FileIO::vspeedunit() const {
    qCDebug(lcSettings).nospace() << "m_SpeedUnit ============> " << m_viewer.speedUnit;
    return m_viewer.speedUnit;
}

void FileIO::setvLang(int lang) {
    if (lang == 0)
        m_viewer.lang = QStringLiteral("en");
    else if (lang == 1)
        m_viewer.lang = QStringLiteral("fr");
    qCDebug(lcSettings).noquote() << "m_ViewerLang ===> " + m_viewer.lang;
}

void FileIO::setvResolution(int resolution) {
    m_viewer.resolution = resolution;
    qCDebug(lcSettings).nospace() << "m_ViewerResolution ===> " << resolution;
}

void FileIO::setvSpeedunit(int speedUnit) {
    m_viewer.speedUnit = speedUnit;
    qCDebug(lcSettings).nospace() << "m_SpeedUnit ===> " << speedUnit;
}

void FileIO::setvMaponline(bool online) {
    if (online == vmaponline())
        return; // an address already stored, the default or not, stays
    m_viewer.mapTileUrl = online ? velmora::ViewerSettings().mapTileUrl : QString();
    qCDebug(lcSettings).noquote() << "mapTileUrl ===> " + m_viewer.mapTileUrl;
    emit mapSettingsChanged();
}

void FileIO::setvMapofflinedir(QString folder) {
    if (folder == m_viewer.mapOfflineDir)
        return;
    m_viewer.mapOfflineDir = folder;
    qCDebug(lcSettings).noquote() << "mapOfflineDir ===> " + folder;
    emit mapSettingsChanged();
}

void FileIO::readPCConfig() {
    if (!m_viewerConfig)
        m_viewerConfig = velmora::ViewerConfigFile::forThisProgram();
    const QString path = m_viewerConfig->readPath();
    qCDebug(lcSettings).noquote() << "checkConfig.exists() ===============> " + path;
    if (m_viewerConfig->read(m_viewer)) {
        qCDebug(lcSettings).noquote() << "m_ViewerLang :" + m_viewer.lang;
        qCDebug(lcSettings).nospace() << "m_ViewerResolution :" << m_viewer.resolution;
        qCDebug(lcSettings).nospace() << "m_SpeedUnit :" << m_viewer.speedUnit;
    }
    const QSize size = DialogSize::nominal(m_viewer.resolution);
    if (size.isValid()) {
        m_DialogWidth = size.width();
        m_DialogHeight = size.height();
    }
    m_mapSources = velmora::mapSources(m_viewer);
    emit mapSettingsChanged();
    setCurrentScreen(0);
    qCDebug(lcSettings).nospace() << "QDesktopWidget3 ======> " << m_DialogWidth << ", "
                                  << m_DialogHeight;
}

bool FileIO::writePCConfig() {
    if (!m_viewerConfig)
        m_viewerConfig = velmora::ViewerConfigFile::forThisProgram();
    QString error;
    if (!m_viewerConfig->write(m_viewer, &error)) {
        qCDebug(lcSettings).noquote() << "viewer settings not saved: " + error;
        return false;
    }
    // The map takes what the file now says (the environment still wins).
    m_mapSources = velmora::mapSources(m_viewer);
    emit mapSettingsChanged();
    return true;
}

int FileIO::getDialogWidth() {
    const QSize size = DialogSize::nominal(m_viewer.resolution);
    if (size.isValid())
        m_DialogWidth = size.width();
    return m_DialogWidth;
}

int FileIO::getDialogHeight() {
    const QSize size = DialogSize::nominal(m_viewer.resolution);
    if (size.isValid())
        m_DialogHeight = size.height();
    return DialogSize::usableHeight(m_viewer.resolution, m_DialogHeight);
}

int FileIO::getScreenWidth() {
    return Screens::fullGeometry(0).width();
}

int FileIO::getScreenHeight() {
    return Screens::fullGeometry(0).height();
}

int FileIO::getScreenCnt() {
    const int count = Screens::screenCount();
    qCDebug(lcSettings).nospace() << "desk.screenNumber() screenCount======> " << count;
    return count;
}

int FileIO::setCurrentScreen(int x, int y) {
    const int index = Screens::screenAt(QPoint(x, y));
    qCDebug(lcSettings).nospace() << "desk.screenNumber() screenNumber======> " << index;
    setCurrentScreen(index);
    return index;
}

void FileIO::setCurrentScreen(int index) {
    m_CurrentScreenRect = Screens::availableGeometry(index);
    qCDebug(lcSettings).nospace() << "rect.x ======> " << m_CurrentScreenRect.x();
    qCDebug(lcSettings).nospace() << "rect.y ======> " << m_CurrentScreenRect.y();
    qCDebug(lcSettings).nospace() << "rect.w======> " << m_CurrentScreenRect.width();
    qCDebug(lcSettings).nospace() << "rect.h======> " << m_CurrentScreenRect.height();
}

int FileIO::getCurrentScreenX() {
    return m_CurrentScreenRect.x();
}

int FileIO::getCurrentScreenY() {
    return m_CurrentScreenRect.y();
}

int FileIO::getCurrentScreenW() {
    return m_CurrentScreenRect.width();
}

int FileIO::getCurrentScreenH() {
    return m_CurrentScreenRect.height();
}
