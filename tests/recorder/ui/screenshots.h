#pragma once
// Pictures of the windows for the documentation: with VORDA_SCREENSHOTS naming a folder,
// the tests that show a window in a typical state save its picture there.

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace vorda::test {

inline void saveScreenshot(QWidget& window, const char* name)
{
    const QString dir = qEnvironmentVariable("VORDA_SCREENSHOTS");
    if (dir.isEmpty()) return;
    window.grab().save(QDir(dir).filePath(QString::fromLatin1(name)));
}

// The whole screen, windows stacked as they stand (run on a real display, e.g. Xvfb).
inline void saveScreen(const char* name)
{
    const QString dir = qEnvironmentVariable("VORDA_SCREENSHOTS");
    if (dir.isEmpty()) return;
    QGuiApplication::primaryScreen()->grabWindow(0).save(QDir(dir).filePath(QString::fromLatin1(name)));
}

}  // namespace vorda::test
