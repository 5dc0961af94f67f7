#include "chart_window.h"

#include "about_box.h"
#include "chart_math.h"
#include "desktop_links.h"
#include "help_topics.h"
#include "help_window.h"
#include "screen_fit.h"
#include "wizor_chart.h"
#include "wizor_dialogs.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPrinter>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

namespace wizor {

namespace {

constexpr int kLowerPanelMinimum = 10;
constexpr int kInitialLowerPanel = 253;
constexpr std::array<int, 3> kPanelWidths = {150, 70, 70};
constexpr int kFilePanelWidth = 50;

// Where the window's size and place are kept between runs (the user's configuration).
const QString kConfigOrganisation = QStringLiteral("OLUN");
const QString kConfigApplication = QStringLiteral("Wizor");
const QString kWindowPlaceKey = QStringLiteral("okno/geometria");

// Help context numbers of the window's parts.
constexpr int kContextToolBarAndStatus = 1;
constexpr int kContextEditView = 3;
constexpr int kContextWindow = 4;
constexpr int kContextPrint = 5;

// A toolbar glyph for commands without a standard icon: a short text in a frame.
QIcon glyph(const QString& text)
{
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(64, 64, 64), 1));
    p.setBrush(QColor(240, 240, 230));
    p.drawRoundedRect(QRectF(1.5, 1.5, 21, 21), 3, 3);
    QFont font = p.font();
    font.setPixelSize(text.size() > 1 ? 10 : 15);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRect(0, 0, 24, 24), Qt::AlignCenter, text);
    return QIcon(pixmap);
}

}  // namespace

ChartWindow::ChartWindow(WizorDialogs& dialogs, QWidget* parent) : QMainWindow(parent), dialogs_(dialogs)
{
    setWindowTitle(QStringLiteral("OLUN  Wizor"));
    setWindowIcon(wizorIcon());
    resize(853, 617);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    widgets::restoreWindowPlace(this, kConfigOrganisation, kConfigApplication, kWindowPlaceKey);

    buildCharts();
    setAcceptDrops(true);

    buildActions();
    buildMenusAndToolBar();
    buildStatusBar();
    buildCursorPanel();

    liveViewTimer_.setInterval(kLiveViewIntervalMs);
    connect(&liveViewTimer_, &QTimer::timeout, this, &ChartWindow::refreshLiveView);

    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this,
            [this] { showContextHelp(helpContextAt(QApplication::widgetAt(QCursor::pos()))); });
}

ChartWindow::~ChartWindow() = default;

void ChartWindow::buildCharts()
{
    upper_ = new WizorChart;
    lower_ = new WizorChart;
    lower_->setMinimumHeight(kLowerPanelMinimum);
    splitter_ = new QSplitter(Qt::Vertical);
    splitter_->setHandleWidth(kSplitterWidth);
    splitter_->setChildrenCollapsible(false);
    splitter_->addWidget(upper_);
    splitter_->addWidget(lower_);
    splitter_->setStretchFactor(0, 1);
    splitter_->setStretchFactor(1, 0);
    splitter_->setSizes({height() - kInitialLowerPanel, kInitialLowerPanel});
    lower_->hide();
    splitter_->handle(1)->setEnabled(false);
    setCentralWidget(splitter_);

    // In the overview, a change of the visible lines may call for actual points; checked
    // once the change (a zoom step, a drag) has settled.
    detailCheck_.setSingleShot(true);
    detailCheck_.setInterval(0);
    connect(&detailCheck_, &QTimer::timeout, this, &ChartWindow::showOverviewDetail);
    for (WizorChart* chart : {upper_, lower_}) {
        connect(chart, &WizorChart::curveClicked, this, &ChartWindow::showClickedPoint);
        connect(chart, &WizorChart::legendEntryClicked, this, &ChartWindow::toggleChannel);
        connect(chart, &WizorChart::cursorClicked, this, &ChartWindow::placeCursor);
        connect(chart->xAxis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), this, [this] {
            if (document_.overview()) detailCheck_.start();
        });
    }
}

void ChartWindow::buildActions()
{
    struct CommandInfo {
        Command command;
        const char* text;
        const char* hint;      // toolbar tooltip
        const char* menuHint;  // status tip of the menu item
        QKeySequence shortcut;
        bool checkable;
        int helpContext;
        void (ChartWindow::*handler)();
    };
    const CommandInfo commands[] = {
        {Open,
         QT_TR_NOOP("&Nowy wykres"),
         QT_TR_NOOP("Nowy wykres"),
         QT_TR_NOOP("Nowy wykres"),
         {},
         false,
         kContextWindow,
         &ChartWindow::chooseFile},
        {Print,
         QT_TR_NOOP("&Drukuj"),
         QT_TR_NOOP("Ustaw drukarkę i drukuj"),
         QT_TR_NOOP("Ustaw drukarkę i drukuj"),
         {},
         false,
         kContextPrint,
         &ChartWindow::print},
        {SaveAs,
         QT_TR_NOOP("Zapisz jako"),
         QT_TR_NOOP("Zapisz jako"),
         "",
         {},
         false,
         kContextWindow,
         &ChartWindow::saveAsBitmap},
        {Exit,
         QT_TR_NOOP("&Zamkinij"),
         QT_TR_NOOP("Koniec programu"),
         QT_TR_NOOP("Koniec programu"),
         {},
         false,
         kContextWindow,
         &ChartWindow::exitProgram},
        {Copy, QT_TR_NOOP("&Kopiuj"), QT_TR_NOOP("Kopiuj"), QT_TR_NOOP("Kopiuj wykres do schowka"),
         QKeySequence(Qt::CTRL | Qt::Key_C), false, kContextEditView, &ChartWindow::copyToClipboard},
        {View3D, QT_TR_NOOP("Widok 3D"), QT_TR_NOOP("Widok 3D"), QT_TR_NOOP("Widok w przestrzeni"),
         QKeySequence(Qt::CTRL | Qt::Key_W), true, kContextEditView, &ChartWindow::toggle3DView},
        {BackColour,
         QT_TR_NOOP("Kolor tła"),
         QT_TR_NOOP("Kolor tła"),
         "",
         {},
         false,
         kContextWindow,
         &ChartWindow::chooseBackgroundColour},
        {Legend, QT_TR_NOOP("Dodaj legende"), QT_TR_NOOP("Wyświetl legende"), QT_TR_NOOP("Wyświetl legende"),
         QKeySequence(Qt::CTRL | Qt::Key_L), true, kContextEditView, &ChartWindow::toggleLegend},
        {ZoomIn, QT_TR_NOOP("Zwiększ"), QT_TR_NOOP("Zwiększ"), "", {}, false, kContextWindow, &ChartWindow::zoomIn},
        {ZoomOut,
         QT_TR_NOOP("Zmniejsz"),
         QT_TR_NOOP("Zmniejsz"),
         "",
         {},
         false,
         kContextWindow,
         &ChartWindow::undoZoom},
        {Fit,
         QT_TR_NOOP("Dopasuj"),
         QT_TR_NOOP("Dopasuj"),
         "",
         {},
         true,
         kContextToolBarAndStatus,
         &ChartWindow::toggleFit},
        {LiveView,
         QT_TR_NOOP("Pokazuj bieżące pomiary."),
         QT_TR_NOOP("Pokazuj bieżące pomiary."),
         "",
         {},
         true,
         kContextToolBarAndStatus,
         &ChartWindow::toggleLiveView},
        {HelpButton,
         QT_TR_NOOP("Spis pomocy"),
         QT_TR_NOOP("Spis pomocy"),
         "",
         {},
         false,
         kContextToolBarAndStatus,
         &ChartWindow::showHelpContents},
        {HelpContents, QT_TR_NOOP("&Zawarto"), "", "", {}, false, kContextWindow, &ChartWindow::showHelpContents},
        {HelpIndex,
         QT_TR_NOOP("&Indeks"),
         QT_TR_NOOP("Indeks pomocy"),
         QT_TR_NOOP("Indeks pomocy"),
         {},
         false,
         kContextWindow,
         &ChartWindow::showHelpIndex},
        {Support,
         QT_TR_NOOP("Internetowa Pomoc Techniczna"),
         "",
         "",
         {},
         false,
         kContextWindow,
         &ChartWindow::openSupportPage},
        {About, QT_TR_NOOP("O &programie"), "", "", {}, false, kContextToolBarAndStatus, &ChartWindow::showAbout},
        {NextPage, QT_TR_NOOP("Następna strona"), "", "", QKeySequence(Qt::Key_PageDown), false, kContextWindow,
         &ChartWindow::nextPage},
        {PreviousPage, QT_TR_NOOP("Poprzednia strona"), "", "", QKeySequence(Qt::Key_PageUp), false, kContextWindow,
         &ChartWindow::previousPage},
        {FirstPage, QT_TR_NOOP("Pierwsza strona"), "", "", QKeySequence(Qt::Key_Home), false, kContextWindow,
         &ChartWindow::firstPage},
        {LastPage, QT_TR_NOOP("Ostatnia strona"), "", "", QKeySequence(Qt::Key_End), false, kContextWindow,
         &ChartWindow::lastPage},
        {WholeFile, QT_TR_NOOP("Cały plik"), "", "", QKeySequence(Qt::CTRL | Qt::Key_0), true, kContextWindow,
         &ChartWindow::toggleWholeFile},
        {Cursors, QT_TR_NOOP("Kursory"), "", "", QKeySequence(Qt::Key_C), true, kContextWindow,
         &ChartWindow::toggleCursors},
        {Export, QT_TR_NOOP("Eksport..."), "", "", {}, false, kContextWindow, &ChartWindow::exportCharts},
        {ShowAllChannels,
         QT_TR_NOOP("Pokaż wszystkie kanały"),
         "",
         "",
         {},
         false,
         kContextWindow,
         &ChartWindow::showAllChannels},
    };
    // Empty hints stay empty rather than passing through the catalogue.
    const auto text = [](const char* source) { return *source ? tr(source) : QString(); };
    for (const CommandInfo& info : commands) {
        auto* a = new QAction(text(info.text), this);
        if (*info.hint) a->setToolTip(text(info.hint));
        a->setStatusTip(text(info.menuHint));
        a->setShortcut(info.shortcut);
        a->setCheckable(info.checkable);
        a->setProperty("helpContext", info.helpContext);
        connect(a, &QAction::triggered, this, info.handler);
        actions_[info.command] = a;
    }

    setActionIcons();
}

void ChartWindow::setActionIcons()
{
    QStyle* s = style();
    actions_[Open]->setIcon(s->standardIcon(QStyle::SP_DialogOpenButton));
    actions_[Print]->setIcon(glyph(QStringLiteral("P")));
    actions_[Exit]->setIcon(s->standardIcon(QStyle::SP_DialogCloseButton));
    actions_[Copy]->setIcon(glyph(QStringLiteral("C")));
    actions_[View3D]->setIcon(glyph(QStringLiteral("3D")));
    actions_[Legend]->setIcon(glyph(QStringLiteral("L")));
    actions_[ZoomIn]->setIcon(glyph(QStringLiteral("+")));
    actions_[ZoomOut]->setIcon(glyph(QStringLiteral("−")));
    actions_[Fit]->setIcon(glyph(QStringLiteral("↕")));
    actions_[LiveView]->setIcon(s->standardIcon(QStyle::SP_MediaPlay));
    actions_[HelpButton]->setIcon(glyph(QStringLiteral("?")));
}

void ChartWindow::buildMenusAndToolBar()
{
    QMenu* file = menuBar()->addMenu(tr("&Plik"));
    file->addAction(actions_[Open]);
    file->addAction(actions_[Print]);
    file->addAction(actions_[SaveAs]);
    file->addAction(actions_[Export]);
    file->addSeparator();
    file->addAction(actions_[Exit]);
    QMenu* edit = menuBar()->addMenu(tr("&Edycja"));
    for (Command c : {Copy, View3D, BackColour, Legend, ShowAllChannels, Cursors, ZoomIn, ZoomOut})
        edit->addAction(actions_[c]);
    edit->addSeparator();
    for (Command c : {NextPage, PreviousPage, FirstPage, LastPage, WholeFile}) edit->addAction(actions_[c]);
    // The languages are named in their own language, whatever the window speaks.
    QMenu* languages = menuBar()->addMenu(tr("&Język"));
    auto* languageGroup = new QActionGroup(this);
    polishAction_ = languages->addAction(QStringLiteral("Polski"));
    englishAction_ = languages->addAction(QStringLiteral("English"));
    for (QAction* a : {polishAction_, englishAction_}) {
        a->setCheckable(true);
        languageGroup->addAction(a);
    }
    polishAction_->setChecked(true);
    connect(polishAction_, &QAction::triggered, this, [this] { chooseLanguage(language::Language::Polish); });
    connect(englishAction_, &QAction::triggered, this, [this] { chooseLanguage(language::Language::English); });
    QMenu* help = menuBar()->addMenu(tr("&Pomoc"));
    for (Command c : {HelpContents, HelpIndex, Support}) help->addAction(actions_[c]);
    help->addSeparator();
    help->addAction(actions_[About]);
    for (QMenu* menu : {file, edit, languages, help}) {
        menu->setToolTipsVisible(false);
        menu->installEventFilter(this);
    }

    toolBar_ = addToolBar(QString());
    toolBar_->setMovable(false);
    toolBar_->setFloatable(false);
    toolBar_->setIconSize(QSize(24, 24));
    const Command order[] = {Open, Print, Exit, Copy, View3D, Legend, ZoomIn, ZoomOut, Fit, LiveView, HelpButton};
    for (Command c : order) {
        if (c != Open) toolBar_->addSeparator();
        toolBar_->addAction(actions_[c]);
    }
}

void ChartWindow::buildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setSizeGripEnabled(false);
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        auto* label = new QLabel;
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        if (i < kPanelWidths.size())
            label->setFixedWidth(kPanelWidths[i]);
        else
            label->setMinimumWidth(kFilePanelWidth);
        bar->addWidget(label, i < kPanelWidths.size() ? 0 : 1);
        panels_[i] = label;
    }
    bar->installEventFilter(this);
}

QString ChartWindow::panelText(int panel) const
{
    return panels_[std::size_t(panel)]->text();
}

void ChartWindow::setPanel(int panel, const QString& text)
{
    panels_[std::size_t(panel)]->setText(text);
}

bool ChartWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == statusBar() && event->type() == QEvent::MouseButtonDblClick) {
        showFullPathTip();
        return true;
    }
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        if (auto* menu = qobject_cast<QMenu*>(watched)) {
            const QAction* active = menu->activeAction();
            const int context = active ? active->property("helpContext").toInt() : kContextWindow;
            menu->close();
            showContextHelp(context);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void ChartWindow::closeEvent(QCloseEvent* event)
{
    widgets::saveWindowPlace(this, kConfigOrganisation, kConfigApplication, kWindowPlaceKey);
    QMainWindow::closeEvent(event);
}

int ChartWindow::helpContextAt(QWidget* widget) const
{
    for (QWidget* w = widget; w; w = w->parentWidget()) {
        if (w == toolBar_ || w == statusBar()) return kContextToolBarAndStatus;
    }
    return kContextWindow;
}

void ChartWindow::start(const QString& fileName, const QString& startDirectory, const QString& applicationDirectory)
{
    loadBackgroundPictures(startDirectory);
    helpFile_ = helpFilePath(startDirectory, applicationDirectory, language_);
    document_.setFileName(fileName);
    setPanel(0, tr("Wprowadź dane Plik|Nowy"));
    if (!QFileInfo::exists(document_.fileName())) {
        const QString chosen = dialogs_.openDataFile(this, dialogFolder());
        if (!chosen.isEmpty()) document_.setFileName(chosen);
    }
    lower_->hide();
    splitter_->handle(1)->setEnabled(false);
    reload();
    fit();
    actions_[Legend]->setChecked(upper_->legendShown());
    actions_[HelpButton]->setEnabled(!helpFile_.isEmpty());
}

void ChartWindow::loadBackgroundPictures(const QString& directory)
{
    const QDir dir(directory);
    const std::pair<WizorChart*, QString> charts[] = {{upper_, QStringLiteral("ChartPc1")},
                                                      {lower_, QStringLiteral("ChartPc2")}};
    for (const auto& [chart, base] : charts) {
        for (const char* extension : {".jpeg", ".jpg", ".bmp"}) {
            const QString path = dir.filePath(base + QLatin1String(extension));
            if (!QFileInfo::exists(path)) continue;
            const QPixmap picture(path);
            if (!picture.isNull()) chart->setBackgroundPicture(picture);
            break;
        }
    }
}

QString ChartWindow::dialogFolder() const
{
    const QFileInfo shown(document_.fileName());
    if (!document_.fileName().isEmpty() && shown.absoluteDir().exists()) return shown.absolutePath();
    return QDir::currentPath();
}

void ChartWindow::setLanguage(language::Language language)
{
    language_ = language;
    languageAction(language)->setChecked(true);
}

QAction* ChartWindow::languageAction(language::Language language) const
{
    return language == language::Language::English ? englishAction_ : polishAction_;
}

void ChartWindow::chooseLanguage(language::Language language)
{
    QSettings configuration(kConfigOrganisation, kConfigApplication);
    language::saveChoice(configuration, language);
    languageAction(language)->setChecked(true);
    dialogs_.showInformation(this, tr("Język programu zmieni się przy następnym uruchomieniu."), tr("Język"));
}

language::Language ChartWindow::chosenLanguage()
{
    return language::current(QSettings(kConfigOrganisation, kConfigApplication));
}

void ChartWindow::setLowerPanelHeight()
{
    const int client = splitter_->height();
    const int lower = lowerPanelHeight(client);
    splitter_->setSizes({std::max(0, client - lower - kSplitterWidth), lower});
}

}  // namespace wizor
