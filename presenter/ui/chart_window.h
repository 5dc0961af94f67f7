#pragma once
// The presenter's main window: one measurement file as curves on an upper chart
// (channels 1-16) and, for files with more than 16 value columns, a lower chart
// (channels 17-32) below a splitter; zoom, 3D view, legend, automatic fit, the
// live view that reloads the file every ten seconds, printing and export. What is
// shown lives in a ChartDocument; the window holds the commands and the output.

#include "chart_document.h"
#include "ui_language.h"

#include <QMainWindow>
#include <QTimer>

#include <array>
#include <optional>

class QAction;
class QDragEnterEvent;
class QDropEvent;
class QCPPainter;
class QDockWidget;
class QLabel;
class QPlainTextEdit;
class QPrinter;
class QSplitter;
class QToolBar;

namespace widgets {
class HelpWindow;
}

namespace wizor {

class WizorChart;
class WizorDialogs;

class ChartWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kLiveViewIntervalMs = 10000;
    static constexpr int kSplitterWidth = 4;

    explicit ChartWindow(WizorDialogs& dialogs, QWidget* parent = nullptr);
    ~ChartWindow() override;

    // Start-up once the window is shown: background pictures and the help page
    // from the start-up directory, the file (asked for when it does not exist),
    // the first load and fit.
    void start(const QString& fileName, const QString& startDirectory, const QString& applicationDirectory);

    // Commands: toolbar buttons, menu items and shortcuts call these.
    void chooseFile();
    void reload();
    void fit();
    void toggleFit();
    void zoomIn();
    void undoZoom();
    void toggle3DView();
    void toggleLegend();
    void chooseBackgroundColour();
    void showClickedPoint(const QString& title, double value);
    void showFullPathTip();
    void showAbout();
    void toggleLiveView();
    void refreshLiveView();
    void print();
    void saveAsBitmap();
    // "Plik -> Eksport...": the charts as PNG or PDF, or the visible range as CSV.
    void exportCharts();
    void copyToClipboard();
    void showHelpContents();
    void showHelpIndex();
    void openSupportPage();
    void exitProgram();
    // Pages of kPageLines data lines and the whole-file overview.
    void nextPage();
    void previousPage();
    void firstPage();
    void lastPage();
    void toggleWholeFile();
    // Shows page `page` (counted from 0; the last one when it lies beyond).
    void goToPage(std::size_t page) { showPage(page); }
    // Hides or shows the curve of `column` (a click on its legend entry); all shown again.
    void toggleChannel(int column);
    void showAllChannels();
    // "Kursory": cursors A and B placed by clicks on either chart and moved by dragging
    // their lines, and the panel of what lies between them (the visible range while they
    // are not both placed).
    void toggleCursors();
    void placeCursor(double key);
    // Moves cursor `cursor` (0: A, 1: B) to the point at `key`.
    void moveCursor(int cursor, double key);
    // The panel's table as tab-separated text; with `chart`, only that chart's channels.
    QString cursorPanelText(const WizorChart* chart = nullptr) const;
    // Shows `path` from its first page, as when chosen in the open dialog or dropped.
    void openFile(const QString& path);
    // Help at the topic of a context number (F1).
    void showContextHelp(int context);

    // The language the window's texts were installed in (Polish unless told): its help
    // page is in that language where one exists, and the language menu marks it.
    void setLanguage(language::Language language);
    language::Language language() const { return language_; }
    // The language menu: saves the user's choice for the next start and says so.
    void chooseLanguage(language::Language language);
    QAction* languageAction(language::Language language) const;
    // The language the user chose in the menu (kept in the window's configuration), else
    // the locale's.
    static language::Language chosenLanguage();

    const ChartDocument& document() const { return document_; }
    const QString& fileName() const { return document_.fileName(); }
    const MeasurementData& data() const { return document_.data(); }
    std::size_t page() const { return document_.page(); }
    bool overviewShown() const { return document_.overview(); }
    bool twoCharts() const { return twoCharts_; }
    bool fitOn() const { return fitOn_; }
    bool liveViewOn() const { return liveViewTimer_.isActive(); }
    // In the overview: whether `chart` shows actual points rather than the envelope.
    bool showsDetail(const WizorChart* chart) const { return detailShown_[chart == lower_ ? 1 : 0]; }
    WizorChart* upperChart() const { return upper_; }
    WizorChart* lowerChart() const { return lower_; }
    QToolBar* toolBar() const { return toolBar_; }
    // The help window once help has been asked for, else null.
    widgets::HelpWindow* helpWindow() const { return helpWindow_; }
    QString panelText(int panel) const;
    // The size of the charts shown, stacked; resizing the window gives them `size`.
    QSize chartsSize() const;
    void resizeCharts(QSize size);

    enum Command {
        Open,
        Print,
        SaveAs,
        Exit,
        Copy,
        View3D,
        BackColour,
        Legend,
        ZoomIn,
        ZoomOut,
        Fit,
        LiveView,
        HelpButton,
        HelpContents,
        HelpIndex,
        Support,
        About,
        NextPage,
        PreviousPage,
        FirstPage,
        LastPage,
        WholeFile,
        ShowAllChannels,
        Export,
        Cursors,
        CommandCount
    };
    QAction* action(Command command) const { return actions_[command]; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildCharts();
    void buildActions();
    void setActionIcons();
    void buildMenusAndToolBar();
    void buildStatusBar();
    void setPanel(int panel, const QString& text);
    void setLowerPanelHeight();
    void loadBackgroundPictures(const QString& directory);
    void openHelpAt(const QString& anchor);
    void printChart(QPrinter& printer, QCPPainter& painter, WizorChart* chart);
    QString dialogFolder() const;
    int helpContextAt(QWidget* widget) const;
    void showPage(std::size_t page);
    void showLoaded();
    void showView();
    void showOverviewDetail();
    void updatePageState();
    void resetZoom();
    void applyHiddenChannels();
    void buildCursorPanel();
    void updateCursorPanel();
    void showCursors();

    WizorDialogs& dialogs_;
    ChartDocument document_;
    QString helpFile_;
    bool twoCharts_ = false;
    bool fitOn_ = false;
    std::array<bool, 2> detailShown_{};
    QTimer detailCheck_;

    QSplitter* splitter_ = nullptr;
    WizorChart* upper_ = nullptr;
    WizorChart* lower_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    std::array<QLabel*, 4> panels_{};
    std::array<QAction*, CommandCount> actions_{};
    QTimer liveViewTimer_;
    std::optional<double> cursorA_;
    std::optional<double> cursorB_;
    QDockWidget* cursorDock_ = nullptr;
    QPlainTextEdit* cursorPanel_ = nullptr;
    widgets::HelpWindow* helpWindow_ = nullptr;
    language::Language language_ = language::Language::Polish;
    QAction* polishAction_ = nullptr;
    QAction* englishAction_ = nullptr;
};

}  // namespace wizor
