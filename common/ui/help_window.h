#pragma once
// The programs' own help viewer: an HTML help page in a text browser with back and
// forward, opened at an anchor. Links to web addresses go to the desktop's browser;
// links within the page and to other local pages stay here.

#include "ui_language.h"

#include <QPointer>
#include <QUrl>
#include <QWidget>

class QAction;
class QTextBrowser;

namespace widgets {

// The page to show for `file` in `language`: for English the page of the same name in
// the "en" folder beside it when that exists, else `file` itself.
QString pageInLanguage(const QString& file, language::Language language);

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows `file` (its English page when English texts are installed) scrolled to
    // `anchor` (with or without its '#'; empty: the top) and brings the window to the
    // front. False, showing nothing, when the file is missing or cannot be read.
    bool showPage(const QString& file, const QString& anchor = {});

    // The page and anchor shown now.
    QUrl source() const;
    QTextBrowser* browser() const { return browser_; }
    QAction* backAction() const { return back_; }
    QAction* forwardAction() const { return forward_; }

private:
    QTextBrowser* browser_ = nullptr;
    QAction* back_ = nullptr;
    QAction* forward_ = nullptr;
    QPointer<QWidget> home_;  // the parent it was made with
};

}  // namespace widgets
