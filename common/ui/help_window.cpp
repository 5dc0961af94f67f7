#include "help_window.h"

#include "screen_fit.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeySequence>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>
#include <QVBoxLayout>

namespace widgets {

QString pageInLanguage(const QString& file, language::Language language)
{
    if (language != language::Language::English || file.isEmpty()) return file;
    const QFileInfo info(file);
    const QString translated = info.dir().filePath(QStringLiteral("en/") + info.fileName());
    return QFileInfo(translated).isFile() ? translated : file;
}

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window), home_(parent)
{
    setWindowTitle(tr("Pomoc"));
    resize(760, 600);

    auto* bar = new QToolBar(this);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    back_ = bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), tr("Wstecz"));
    back_->setShortcut(QKeySequence::Back);
    forward_ = bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), tr("Dalej"));
    forward_->setShortcut(QKeySequence::Forward);
    back_->setEnabled(false);
    forward_->setEnabled(false);
    // Esc closes the help, as it closes the dialogs the help was asked from.
    auto* closeKey = new QAction(this);
    closeKey->setShortcut(QKeySequence(Qt::Key_Escape));
    closeKey->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(closeKey, &QAction::triggered, this, &QWidget::close);
    addAction(closeKey);

    browser_ = new QTextBrowser(this);
    // Web addresses leave for the desktop's browser; local pages and anchors stay here.
    browser_->setOpenExternalLinks(true);
    connect(back_, &QAction::triggered, browser_, &QTextBrowser::backward);
    connect(forward_, &QAction::triggered, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = browser_->documentTitle();
        setWindowTitle(title.isEmpty() ? tr("Pomoc") : tr("Pomoc - %1").arg(title));
    });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(browser_);
}

bool HelpWindow::showPage(const QString& file, const QString& anchor)
{
    const QFileInfo info(pageInLanguage(file, language::installed()));
    if (file.isEmpty() || !info.isFile() || !info.isReadable()) return false;
    QUrl url = QUrl::fromLocalFile(info.absoluteFilePath());
    const QString fragment = anchor.startsWith(QLatin1Char('#')) ? anchor.mid(1) : anchor;
    if (!fragment.isEmpty()) url.setFragment(fragment);
    // On the page already shown this only moves to the anchor (the top for none); either
    // way the step joins the history.
    browser_->setSource(url);
    // A modal dialog blocks input to every other window: while one runs, the help window
    // belongs to it, so that it can be scrolled and its links followed.
    QWidget* modal = QApplication::activeModalWidget();
    QWidget* owner = modal && modal != this ? modal : home_.data();
    if (parentWidget() != owner) setParent(owner, Qt::Window);
    if (!isVisible()) keepOnScreen(this);
    show();
    if (isMinimized()) showNormal();
    raise();
    activateWindow();
    return true;
}

QUrl HelpWindow::source() const
{
    return browser_->source();
}

}  // namespace widgets
