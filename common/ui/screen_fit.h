#pragma once
// Windows open within the screen's available area (without the desktop's panels): a
// window whose saved or computed place lies partly off the screen is moved in, and one
// larger than the area is shrunk to it. A window's place can be kept between runs.

#include <QRect>

class QApplication;
class QString;
class QWidget;

namespace widgets {

// `frame` (a window with its frame) moved, and shrunk where it is larger, into `available`.
QRect fitInto(const QRect& frame, const QRect& available);

// Places the top-level `window` so that its frame lies within the available area of the
// screen its centre is on (else its own screen).
void keepOnScreen(QWidget* window);

// From now on every top-level window of `app` is kept on the screen as it is shown.
void keepWindowsOnScreen(QApplication& app);

// The size and place of `window` kept between runs in the user's configuration (QSettings
// of `organisation` and `application`, under `key`). Restoring brings the window back
// within the screen; false when nothing was saved.
bool restoreWindowPlace(QWidget* window, const QString& organisation, const QString& application, const QString& key);
void saveWindowPlace(const QWidget* window, const QString& organisation, const QString& application,
                     const QString& key);

}  // namespace widgets
