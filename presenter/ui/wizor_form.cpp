#include "wizor_form.h"

#include "about_box.h"
#include "chart_math.h"
#include "desktop_links.h"
#include "help_topics.h"
#include "help_window.h"
#include "screen_fit.h"
#include "wizor_chart.h"
#include "wizor_dialogs.h"

#include <QAction>
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
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

namespace wizor {

namespace {

constexpr int kSplitterWidth = 4;
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

QString latin1(std::string_view text)
{
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

}  // namespace

TWizorForm1::TWizorForm1(WizorDialogs& dialogs, QWidget* parent) : QMainWindow(parent), dialogs_(dialogs)
{
    setWindowTitle(QStringLiteral("OLUN  Wizor"));
    setWindowIcon(wizorIcon());
    resize(853, 617);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    widgets::restoreWindowPlace(this, kConfigOrganisation, kConfigApplication, kWindowPlaceKey);

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
    connect(&detailCheck_, &QTimer::timeout, this, &TWizorForm1::showOverviewDetail);
    for (WizorChart* chart : {upper_, lower_}) {
        connect(chart, &WizorChart::curveClicked, this, &TWizorForm1::Chart1ClickSeries);
        connect(chart->xAxis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), this, [this] {
            if (overview_) detailCheck_.start();
        });
    }
    setAcceptDrops(true);

    buildActions();
    buildMenusAndToolBar();
    buildStatusBar();

    timer1_.setInterval(kLiveViewIntervalMs);
    connect(&timer1_, &QTimer::timeout, this, &TWizorForm1::Timer1Timer);

    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this,
            [this] { showContextHelp(helpContextAt(QApplication::widgetAt(QCursor::pos()))); });
}

TWizorForm1::~TWizorForm1() = default;

void TWizorForm1::buildActions()
{
    struct CommandInfo {
        Command command;
        const char* text;
        const char* hint;      // toolbar tooltip
        const char* menuHint;  // status tip of the menu item
        QKeySequence shortcut;
        bool checkable;
        int helpContext;
        void (TWizorForm1::*handler)();
    };
    const CommandInfo commands[] = {
        {Open, "&Nowy wykres", "Nowy wykres", "Nowy wykres", {}, false, kContextWindow, &TWizorForm1::ToolButton1Click},
        {Print,
         "&Drukuj",
         "Ustaw drukarkę i drukuj",
         "Ustaw drukarkę i drukuj",
         {},
         false,
         kContextPrint,
         &TWizorForm1::FilePrintExecute},
        {SaveAs, "Zapisz jako", "Zapisz jako", "", {}, false, kContextWindow, &TWizorForm1::ZapiszJakoExecute},
        {Exit,
         "&Zamkinij",
         "Koniec programu",
         "Koniec programu",
         {},
         false,
         kContextWindow,
         &TWizorForm1::FileExitExecute},
        {Copy, "&Kopiuj", "Kopiuj", "Kopiuj wykres do schowka", QKeySequence(Qt::CTRL | Qt::Key_C), false,
         kContextEditView, &TWizorForm1::EditCopy1Execute},
        {View3D, "Widok 3D", "Widok 3D", "Widok w przestrzeni", QKeySequence(Qt::CTRL | Qt::Key_W), true,
         kContextEditView, &TWizorForm1::Widok3dExecute},
        {BackColour, "Kolor tła", "Kolor tła", "", {}, false, kContextWindow, &TWizorForm1::KolorTlaExecute},
        {Legend, "Dodaj legende", "Wyświetl legende", "Wyświetl legende", QKeySequence(Qt::CTRL | Qt::Key_L), true,
         kContextEditView, &TWizorForm1::DodajLegExecute},
        {ZoomIn, "Zwiększ", "Zwiększ", "", {}, false, kContextWindow, &TWizorForm1::ZoomInExecute},
        {ZoomOut, "Zmniejsz", "Zmniejsz", "", {}, false, kContextWindow, &TWizorForm1::ZoomOutExecute},
        {Fit, "Dopasuj", "Dopasuj", "", {}, true, kContextToolBarAndStatus, &TWizorForm1::ToolButton21Click},
        {LiveView,
         "Pokazuj bieżące pomiary.",
         "Pokazuj bieżące pomiary.",
         "",
         {},
         true,
         kContextToolBarAndStatus,
         &TWizorForm1::ToolButton14Click},
        {HelpButton,
         "Spis pomocy",
         "Spis pomocy",
         "",
         {},
         false,
         kContextToolBarAndStatus,
         &TWizorForm1::HelpContentsExecute},
        {HelpContents, "&Zawarto", "", "", {}, false, kContextWindow, &TWizorForm1::HelpContentsExecute},
        {HelpIndex,
         "&Indeks",
         "Indeks pomocy",
         "Indeks pomocy",
         {},
         false,
         kContextWindow,
         &TWizorForm1::HelpIndexExecute},
        {Support, "Internetowa Pomoc Techniczna", "", "", {}, false, kContextWindow, &TWizorForm1::PTechnicznaClick},
        {About, "O &programie", "", "", {}, false, kContextToolBarAndStatus, &TWizorForm1::HelpAboutExecute},
        {NextPage, "Następna strona", "", "", QKeySequence(Qt::Key_PageDown), false, kContextWindow,
         &TWizorForm1::NastepnaStronaExecute},
        {PreviousPage, "Poprzednia strona", "", "", QKeySequence(Qt::Key_PageUp), false, kContextWindow,
         &TWizorForm1::PoprzedniaStronaExecute},
        {FirstPage, "Pierwsza strona", "", "", QKeySequence(Qt::Key_Home), false, kContextWindow,
         &TWizorForm1::PierwszaStronaExecute},
        {LastPage, "Ostatnia strona", "", "", QKeySequence(Qt::Key_End), false, kContextWindow,
         &TWizorForm1::OstatniaStronaExecute},
        {WholeFile, "Cały plik", "", "", QKeySequence(Qt::CTRL | Qt::Key_0), true, kContextWindow,
         &TWizorForm1::CalyPlikExecute},
    };
    for (const CommandInfo& info : commands) {
        auto* a = new QAction(QString::fromUtf8(info.text), this);
        if (*info.hint) a->setToolTip(QString::fromUtf8(info.hint));
        a->setStatusTip(QString::fromUtf8(info.menuHint));
        a->setShortcut(info.shortcut);
        a->setCheckable(info.checkable);
        a->setProperty("helpContext", info.helpContext);
        connect(a, &QAction::triggered, this, info.handler);
        actions_[info.command] = a;
    }

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

void TWizorForm1::buildMenusAndToolBar()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&Plik"));
    file->addAction(actions_[Open]);
    file->addAction(actions_[Print]);
    file->addAction(actions_[SaveAs]);
    file->addSeparator();
    file->addAction(actions_[Exit]);
    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edycja"));
    for (Command c : {Copy, View3D, BackColour, Legend, ZoomIn, ZoomOut}) edit->addAction(actions_[c]);
    edit->addSeparator();
    for (Command c : {NextPage, PreviousPage, FirstPage, LastPage, WholeFile}) edit->addAction(actions_[c]);
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Pomoc"));
    for (Command c : {HelpContents, HelpIndex, Support}) help->addAction(actions_[c]);
    help->addSeparator();
    help->addAction(actions_[About]);
    for (QMenu* menu : {file, edit, help}) {
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

void TWizorForm1::buildStatusBar()
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

QString TWizorForm1::panelText(int panel) const
{
    return panels_[std::size_t(panel)]->text();
}

void TWizorForm1::setPanel(int panel, const QString& text)
{
    panels_[std::size_t(panel)]->setText(text);
}

bool TWizorForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == statusBar() && event->type() == QEvent::MouseButtonDblClick) {
        StatusBar1DblClick();
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

void TWizorForm1::closeEvent(QCloseEvent* event)
{
    widgets::saveWindowPlace(this, kConfigOrganisation, kConfigApplication, kWindowPlaceKey);
    QMainWindow::closeEvent(event);
}

int TWizorForm1::helpContextAt(QWidget* widget) const
{
    for (QWidget* w = widget; w; w = w->parentWidget()) {
        if (w == toolBar_ || w == statusBar()) return kContextToolBarAndStatus;
    }
    return kContextWindow;
}

void TWizorForm1::start(const QString& fileName, const QString& startDirectory, const QString& applicationDirectory)
{
    loadBackgroundPictures(startDirectory);
    helpFile_ = helpFilePath(startDirectory, applicationDirectory);
    fileName_ = fileName;
    setPanel(0, QStringLiteral("Wprowadź dane Plik|Nowy"));
    if (!QFileInfo::exists(fileName_)) {
        const QString chosen = dialogs_.openDataFile(this, dialogFolder());
        if (!chosen.isEmpty()) fileName_ = chosen;
    }
    lower_->hide();
    splitter_->handle(1)->setEnabled(false);
    New2chart1Execute();
    Dopasuj1Execute();
    actions_[Legend]->setChecked(upper_->legendShown());
    actions_[HelpButton]->setEnabled(!helpFile_.isEmpty());
}

void TWizorForm1::loadBackgroundPictures(const QString& directory)
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

QString TWizorForm1::dialogFolder() const
{
    const QFileInfo shown(fileName_);
    if (!fileName_.isEmpty() && shown.absoluteDir().exists()) return shown.absolutePath();
    return QDir::currentPath();
}

void TWizorForm1::setLowerPanelHeight()
{
    const int client = splitter_->height();
    const int lower = lowerPanelHeight(client);
    splitter_->setSizes({std::max(0, client - lower - kSplitterWidth), lower});
}

void TWizorForm1::Dopasuj1Execute()
{
    const Range range = fitRange(data_.maxValue, data_.minValue);
    for (WizorChart* chart : {upper_, lower_}) {
        chart->setValueRange(range);
        chart->replot(QCustomPlot::rpQueuedReplot);
    }
    setLowerPanelHeight();
}

void TWizorForm1::ToolButton21Click()
{
    fitOn_ = !fitOn_;
    actions_[Fit]->setChecked(fitOn_);
    if (fitOn_) Dopasuj1Execute();
}

void TWizorForm1::ZoomInExecute()
{
    upper_->zoomIn();
    lower_->zoomIn();
}

void TWizorForm1::ZoomOutExecute()
{
    upper_->undoZoom();
    lower_->undoZoom();
    if (fitOn_) Dopasuj1Execute();
}

void TWizorForm1::Widok3dExecute()
{
    const bool on = !upper_->view3D();
    upper_->setView3D(on);
    lower_->setView3D(on);
    actions_[View3D]->setChecked(on);
}

void TWizorForm1::DodajLegExecute()
{
    const bool on = !upper_->legendShown();
    upper_->setLegendShown(on);
    lower_->setLegendShown(on);
    actions_[Legend]->setChecked(on);
}

void TWizorForm1::KolorTlaExecute()
{
    if (const auto colour = dialogs_.chooseColour(this, upper_->backWallColour())) upper_->setBackWallColour(*colour);
}

void TWizorForm1::Chart1ClickSeries(const QString& title, double value)
{
    setPanel(1, title);
    setPanel(2, clickValueText(value));
}

void TWizorForm1::StatusBar1DblClick()
{
    statusBar()->setToolTip(fileName_);
}

void TWizorForm1::HelpAboutExecute()
{
    dialogs_.showAbout(this);
}

void TWizorForm1::ToolButton14Click()
{
    if (timer1_.isActive()) {
        timer1_.stop();
    } else {
        timer1_.start();
        Timer1Timer();
    }
    actions_[LiveView]->setChecked(timer1_.isActive());
}

void TWizorForm1::Timer1Timer()
{
    if (QFileInfo::exists(fileName_)) New2chart1Execute();
    if (fitOn_) Dopasuj1Execute();
}

void TWizorForm1::FilePrintExecute()
{
    QPrinter printer(QPrinter::HighResolution);
    if (!dialogs_.setUpPrinter(this, printer)) return;
    QCPPainter painter;
    if (!painter.begin(&printer)) {
        dialogs_.showError(this, QStringLiteral("Nie można rozpocząć wydruku."), QStringLiteral("Błąd..."));
        return;
    }
    painter.setMode(QCPPainter::pmVectorized);
    painter.setMode(QCPPainter::pmNoCaching);
    // Hairline pens would print one printer dot wide; they scale with the chart instead.
    painter.setMode(QCPPainter::pmNonCosmetic);
    printChart(printer, painter, upper_);
    if (twoCharts_) {
        printer.newPage();
        printChart(printer, painter, lower_);
    }
    painter.end();
}

void TWizorForm1::printChart(QPrinter& printer, QCPPainter& painter, WizorChart* chart)
{
    setPanel(0, QStringLiteral("Drukowanie..."));
    const QRect page(QPoint(0, 0), printer.pageLayout().paintRectPixels(printer.resolution()).size());
    chart->drawInto(painter, proportionalPrintRect(page, chart->size()));
    setPanel(0, QStringLiteral("Koniec wydruku"));
}

void TWizorForm1::ZapiszJakoExecute()
{
    QString name = dialogs_.saveBitmapFile(this, dialogFolder());
    if (name.isEmpty()) return;
    if (QFileInfo(name).suffix().isEmpty()) name += QStringLiteral(".bmp");
    if (!upper_->renderOnWhite().save(name, "BMP"))
        dialogs_.showError(this, QStringLiteral("Nie można zapisać pliku %1.").arg(name), QStringLiteral("Błąd..."));
}

void TWizorForm1::EditCopy1Execute()
{
    toolBar_->hide();
    statusBar()->hide();
    layout()->activate();
    // The charts redraw at their new size before the picture is taken.
    upper_->replot(QCustomPlot::rpImmediateRefresh);
    if (lower_->isVisible()) lower_->replot(QCustomPlot::rpImmediateRefresh);
    const QImage picture = centralWidget()->grab().toImage();
    QApplication::clipboard()->setImage(picture);
    toolBar_->show();
    statusBar()->show();
    layout()->activate();
}

void TWizorForm1::openHelpAt(const QString& anchor)
{
    if (!helpWindow_) helpWindow_ = new widgets::HelpWindow(this);
    if (!helpWindow_->showPage(helpFile_, anchor))
        dialogs_.showError(this, QStringLiteral("Nie odnaleziono pliku pomocy!"), QStringLiteral("Uwaga!"));
}

void TWizorForm1::HelpContentsExecute()
{
    openHelpAt(latin1(kHelpContentsAnchor));
}

void TWizorForm1::HelpIndexExecute()
{
    openHelpAt(latin1(kHelpIndexAnchor));
}

void TWizorForm1::showContextHelp(int context)
{
    openHelpAt(latin1(helpAnchor(context)));
}

void TWizorForm1::PTechnicznaClick()
{
    openWebPage(dialogs_, this, QUrl(QString::fromLatin1(kSupportUrl)));
}

void TWizorForm1::FileExitExecute()
{
    close();
}

}  // namespace wizor
