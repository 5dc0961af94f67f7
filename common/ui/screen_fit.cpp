#include "screen_fit.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QSettings>
#include <QWidget>

#include <algorithm>

namespace widgets {
namespace {

// The frame a window manager adds, guessed until the window has been shown once.
constexpr QMargins kUnknownFrame(4, 28, 4, 4);

class ScreenKeeper : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(watched);
            const Qt::WindowType type = widget->windowType();
            if (widget->isWindow() && (type == Qt::Window || type == Qt::Dialog)) keepOnScreen(widget);
        }
        return false;
    }
};

}  // namespace

QRect fitInto(const QRect& frame, const QRect& available)
{
    if (available.isEmpty()) return frame;
    QRect fitted(frame.topLeft(),
                 QSize(std::min(frame.width(), available.width()), std::min(frame.height(), available.height())));
    fitted.moveLeft(std::clamp(fitted.left(), available.left(), available.right() - fitted.width() + 1));
    fitted.moveTop(std::clamp(fitted.top(), available.top(), available.bottom() - fitted.height() + 1));
    return fitted;
}

void keepOnScreen(QWidget* window)
{
    if (!window || !window->isWindow() || window->isMaximized() || window->isFullScreen()) return;
    const QRect inner = window->geometry();
    QRect frame = window->frameGeometry();
    if (frame == inner) frame = inner + kUnknownFrame;
    const QRect shownFrame = frame;
    if (!window->testAttribute(Qt::WA_Moved)) {
        // A window nobody has placed opens centred over its parent window; one without a
        // parent is left to the window manager unless it is too large.
        const QWidget* parent = window->parentWidget() ? window->parentWidget()->window() : nullptr;
        if (parent && parent->isVisible()) frame.moveCenter(parent->frameGeometry().center());
    }
    const QScreen* screen = QGuiApplication::screenAt(frame.center());
    if (!screen) screen = window->screen();
    if (!screen) return;
    const QRect available = screen->availableGeometry();
    if (frame == shownFrame && !window->testAttribute(Qt::WA_Moved) && frame.width() <= available.width() &&
        frame.height() <= available.height())
        return;
    const QRect fitted = fitInto(frame, available);
    if (fitted == shownFrame) return;
    const QMargins margins(inner.left() - shownFrame.left(), inner.top() - shownFrame.top(),
                           shownFrame.right() - inner.right(), shownFrame.bottom() - inner.bottom());
    const QSize size = (fitted - margins).size();
    if (size != inner.size()) window->resize(size);
    window->move(window->pos() + (fitted.topLeft() - shownFrame.topLeft()));
}

void keepWindowsOnScreen(QApplication& app)
{
    static const char kInstalled[] = "widgetsScreenKeeper";
    if (app.property(kInstalled).toBool()) return;
    app.setProperty(kInstalled, true);
    app.installEventFilter(new ScreenKeeper(&app));
}

bool restoreWindowPlace(QWidget* window, const QString& organisation, const QString& application, const QString& key)
{
    const QSettings settings(organisation, application);
    const QByteArray saved = settings.value(key).toByteArray();
    if (saved.isEmpty() || !window->restoreGeometry(saved)) return false;
    keepOnScreen(window);
    return true;
}

void saveWindowPlace(const QWidget* window, const QString& organisation, const QString& application, const QString& key)
{
    QSettings settings(organisation, application);
    settings.setValue(key, window->saveGeometry());
}

}  // namespace widgets
