#pragma once

// Pictures of the windows for a person to look at, taken only when BRISVEL_SHOTS
// names a folder. A window draws itself anywhere; the whole screen, message boxes
// included, wants a real display (Xvfb).

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QString>
#include <QTest>
#include <QWidget>

namespace test_support {

// The folder BRISVEL_SHOTS names, made when missing; empty when no pictures are wanted.
inline QString shotsFolder() {
    const QString folder = qEnvironmentVariable("BRISVEL_SHOTS");
    if (!folder.isEmpty())
        QDir().mkpath(folder);
    return folder;
}

// `window` laid out and drawn: the events it has waiting are handled and, on a
// real display, it is exposed. Nothing waits for a set time.
inline void settle(QWidget& window) {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    if (window.isVisible() && QGuiApplication::platformName() != QStringLiteral("offscreen"))
        (void)QTest::qWaitForWindowExposed(&window);
    QCoreApplication::processEvents();
}

// `window` as it draws itself, in NAME.png.
inline void saveWindowShot(QWidget& window, const QString& name) {
    if (const QString folder = shotsFolder(); !folder.isEmpty())
        window.grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

// The whole screen, in NAME.png.
inline void saveScreenShot(const QString& name) {
    if (const QString folder = shotsFolder(); !folder.isEmpty())
        QProcess::execute(QStringLiteral("import"),
                          {QStringLiteral("-window"), QStringLiteral("root"),
                           QDir(folder).filePath(name + QStringLiteral(".png"))});
}

}  // namespace test_support
