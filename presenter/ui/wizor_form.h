#pragma once
// The presenter's main window: one measurement file as curves on an upper chart
// (channels 1-16) and, for files with 16 or more value columns, a lower chart
// (channels 17-32) below a splitter; zoom, 3D view, legend, automatic fit, the
// live view that reloads the file every ten seconds, printing and export.

#include "line_parser.h"
#include "measurement_loader.h"

#include <QMainWindow>
#include <QTimer>

#include <array>
#include <optional>
#include <string>

class QAction;
class QDragEnterEvent;
class QDropEvent;
class QCPPainter;
class QLabel;
class QPrinter;
class QSplitter;
class QToolBar;
class QToolButton;

namespace widgets {
class HelpWindow;
}

namespace wizor {

class WizorChart;
class WizorDialogs;

class TWizorForm1 : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kLiveViewIntervalMs = 10000;

    explicit TWizorForm1(WizorDialogs& dialogs, QWidget* parent = nullptr);
    ~TWizorForm1() override;

    // Start-up once the window is shown: background pictures and the help page
    // from the start-up directory, the file (asked for when it does not exist),
    // the first load and fit.
    void start(const QString& fileName, const QString& startDirectory, const QString& applicationDirectory);

    // Commands: toolbar buttons, menu items and shortcuts call these.
    void ToolButton1Click();
    void New2chart1Execute();
    void Dopasuj1Execute();
    void ToolButton21Click();
    void ZoomInExecute();
    void ZoomOutExecute();
    void Widok3dExecute();
    void DodajLegExecute();
    void KolorTlaExecute();
    void Chart1ClickSeries(const QString& title, double value);
    void StatusBar1DblClick();
    void HelpAboutExecute();
    void ToolButton14Click();
    void Timer1Timer();
    void FilePrintExecute();
    void ZapiszJakoExecute();
    void EditCopy1Execute();
    void HelpContentsExecute();
    void HelpIndexExecute();
    void PTechnicznaClick();
    void FileExitExecute();
    // Pages of kPageLines data lines and the whole-file overview.
    void NastepnaStronaExecute();
    void PoprzedniaStronaExecute();
    void PierwszaStronaExecute();
    void OstatniaStronaExecute();
    void CalyPlikExecute();
    // Shows `path` from its first page, as when chosen in the open dialog or dropped.
    void openFile(const QString& path);
    // Help at the topic of a context number (F1).
    void showContextHelp(int context);

    const QString& fileName() const { return fileName_; }
    bool twoCharts() const { return twoCharts_; }
    bool fitOn() const { return fitOn_; }
    bool liveViewOn() const { return timer1_.isActive(); }
    const MeasurementData& data() const { return data_; }
    std::size_t page() const { return page_; }
    bool overviewShown() const { return overview_; }
    // In the overview: whether `chart` shows actual points rather than the envelope.
    bool showsDetail(const WizorChart* chart) const { return detailShown_[chart == lower_ ? 1 : 0]; }
    WizorChart* upperChart() const { return upper_; }
    WizorChart* lowerChart() const { return lower_; }
    QToolBar* toolBar() const { return toolBar_; }
    // The help window once help has been asked for, else null.
    widgets::HelpWindow* helpWindow() const { return helpWindow_; }
    QString panelText(int panel) const;

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
        CommandCount
    };
    QAction* action(Command command) const { return actions_[command]; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildActions();
    void buildMenusAndToolBar();
    void buildStatusBar();
    void setPanel(int panel, const QString& text);
    void setLowerPanelHeight();
    void loadBackgroundPictures(const QString& directory);
    void openHelpAt(const QString& anchor);
    void printChart(QPrinter& printer, QCPPainter& painter, WizorChart* chart);
    QString dialogFolder() const;
    int helpContextAt(QWidget* widget) const;
    std::string localPath() const;
    void showPage(std::size_t page);
    void showView();
    void showOverviewDetail();
    void updatePageState();

    WizorDialogs& dialogs_;
    QString fileName_;
    QString helpFile_;
    Linia1MG parser_;
    MeasurementData data_;
    bool twoCharts_ = false;
    bool fitOn_ = false;
    std::size_t page_ = 0;
    bool overview_ = false;
    // The overview's window of actual points, when one has been read.
    std::optional<std::size_t> detailFirst_;
    std::array<bool, 2> detailShown_{};
    QTimer detailCheck_;

    QSplitter* splitter_ = nullptr;
    WizorChart* upper_ = nullptr;
    WizorChart* lower_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    std::array<QLabel*, 4> panels_{};
    std::array<QAction*, CommandCount> actions_{};
    QTimer timer1_;
    widgets::HelpWindow* helpWindow_ = nullptr;
};

}  // namespace wizor
