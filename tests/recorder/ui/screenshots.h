#pragma once
// Pictures of the windows for the documentation: with VORDA_SCREENSHOTS naming a folder,
// the tests that show a window in a typical state save its picture there.

#include <QDir>
#include <QWidget>

namespace vorda::test {

inline void saveScreenshot(QWidget& window, const char* name)
{
    const QString dir = qEnvironmentVariable("VORDA_SCREENSHOTS");
    if (dir.isEmpty()) return;
    window.grab().save(QDir(dir).filePath(QString::fromLatin1(name)));
}

}  // namespace vorda::test
