#pragma once
// The calibration wizard without its window: the pages of two-point calibration and
// one-point zeroing, what each button does, the readings, what is stored at which step
// and the texts each page shows. The wizard window shows `view()` and reports the
// buttons and edits; vorda-cli drives the same machine from a terminal.

#include "calibration/calibration_history.h"
#include "core/reporter.h"
#include "core/settings_record.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

namespace vorda {

class RecorderProtocol;

// The recorder as the wizard sees it.
class CalibrationDevice {
public:
    virtual ~CalibrationDevice() = default;
    // Register 0 read; false when the reply is shorter than 5 characters (no answer).
    virtual bool readStatus() = 0;
    // The averaged code of `channel` (1-16) from five current-data reads; nothing when
    // the recorder did not answer.
    virtual std::optional<std::int32_t> averagedCode(int channel) = 0;
};

// CalibrationDevice over the recorder protocol. A channel above channelsUsed gets the
// trimmed mean of its own five codes too: every data reply holds all sixteen channels.
class ProtocolCalibrationDevice final : public CalibrationDevice {
public:
    explicit ProtocolCalibrationDevice(RecorderProtocol& protocol) : protocol_(protocol) {}
    bool readStatus() override;
    std::optional<std::int32_t> averagedCode(int channel) override;

private:
    RecorderProtocol& protocol_;
};

enum class WizardRole { Calibration, Zeroing };
enum class WizardButton {
    Next,    // "Dalej >>"
    Back,    // "&Cofnij"
    Finish,  // "&Zakończ"
    Close,   // any other way of closing the window
};

// The pages of a run. A calibration goes Intro, Channel, FirstPoint, SecondPoint,
// CalibrationResult; a zeroing Intro, Channel, FirstPoint, ZeroingResult. "Dalej >>" on
// a result page starts the next run on the intro page.
enum class WizardPage { Intro, Channel, FirstPoint, SecondPoint, CalibrationResult, ZeroingResult };

// The captions over the channel and the constants: "Kanał", "Stałe S_B/S_C.".
QString channelCaptionText();
QString constantsCaptionText();
// The captions of the value field on the first and second point's page, which vorda-cli
// prompts with: "Wartość punktu 1", "Wartość kalibrująca".
QString firstPointCaption();
QString secondPointCaption();

// Everything the window shows.
struct WizardView {
    QString caption;            // "Kalibracja" / "Zerowanie"
    QString introHeading;       // the intro's first line
    bool stepsVisible = false;  // the steps' group, with "&Cofnij"; hidden: the intro shows
    QString prompt, subPrompt;  // the two prompt lines
    QString fieldCaption;       // over the name/value field
    QString channelCaption = channelCaptionText();
    QString constantsCaption = constantsCaptionText();
    QString constants;  // the computed constants
    bool fieldCaptionVisible = true;
    bool fieldVisible = true;  // the name/value field
    bool fieldEnabled = true;
    bool channelEnabled = true;  // the spin and the channel field
    bool formatVisible = true;   // the number format's list and its caption
    bool constantsCaptionVisible = false;
    bool constantsVisible = false;
    bool finishEnabled = true;  // "&Zakończ"
    int channel = 1;            // the spin's position, 1-16
    QString field;              // the name/value field's text
    int formatIndex = 0;        // the format list's index; a stored format outside 0-3 stays as stored
};

class CalibrationWizard {
    Q_DECLARE_TR_FUNCTIONS(CalibrationWizard)

public:
    CalibrationWizard(Settings& settings, CalibrationDevice& device, Reporter& reporter, QString startDir);

    // Starts a run in `role` on the intro page. The spin keeps its position between runs;
    // the name and format fields are loaded from that channel.
    void start(WizardRole role);

    // One button. Returns true when the wizard ended ("&Zakończ"): the name and format
    // fields have then been stored into the spin's channel.
    bool press(WizardButton button);

    // Edits made in the window. A channel change, typed or by the spin, stores the
    // fields into the channel left and loads the new channel's name and format.
    void setChannel(int channel);
    void setField(const QString& text) { view_.field = text; }
    void setFormatIndex(int index) { view_.formatIndex = index; }

    const WizardView& view() const { return view_; }
    WizardPage page() const { return page_; }
    WizardRole role() const { return role_; }
    QString rememberedName() const { return name_; }

    // The clock of the history lines (local time); tests set their own.
    void setClock(std::function<QDateTime()> clock) { clock_ = std::move(clock); }
    // Where the history line of a completed calibration or zeroing goes; by default it is
    // appended to the history file at once. vorda-cli keeps it until the record is saved.
    using HistorySink = std::function<void(const HistoryEntry&, const QDateTime&)>;
    void setHistorySink(HistorySink sink) { historySink_ = std::move(sink); }

private:
    void show(bool forward);
    WizardPage following(WizardPage page) const;
    static WizardPage preceding(WizardPage page);
    void introPage();
    void channelPage();
    void firstPointPage(bool forward);
    void secondPointPage(bool forward);
    void calibrationResultPage(bool forward);
    void zeroingResultPage(bool forward);
    void nextRunPage();

    // The point value of the field and the channel's averaged code, or nothing after the
    // message saying why (the caller goes back one page).
    std::optional<std::pair<double, std::int32_t>> takePoint(const QString& field);
    void communicationFailed();
    void storeFields();  // the name and format fields into the channel
    void loadFields();   // the channel's name and format into the fields
    ChannelSettings& channel() { return settings_.channel(view_.channel); }
    void recordHistory(HistoryEntry::Kind kind);

    Settings& settings_;
    CalibrationDevice& device_;
    Reporter& reporter_;
    QString startDir_;
    std::function<QDateTime()> clock_;
    HistorySink historySink_;

    WizardRole role_ = WizardRole::Calibration;
    WizardPage page_ = WizardPage::Intro;
    // The page whose texts the view holds; the sensor's name is taken from the field
    // only when the channel page was shown.
    WizardPage shown_ = WizardPage::Intro;
    QString name_;                  // the sensor name remembered on leaving the channel page
    bool fieldHoldsValue_ = false;  // the field shows a point value, not a name
    // The first point of a calibration, kept out of the record until the second point
    // completes it.
    std::optional<std::pair<double, std::int32_t>> firstPoint_;
    WizardView view_;
};

// The texts of the failures, with their captions.
QString noCommunicationText();  // "Brak komunikacji z systemem, ..."
QString emptyNameText();        // "Nie możesz skalibrować czujnika ..."
QString notANumberText();       // "Wpisz wartość liczbową punktu."
// The refusal of a point value: the field, what it held, then notANumberText().
QString notANumberText(const QString& field, const QString& text);
// Two readings too close to give a slope: "Kalibracja nieudana: ...".
QString flatCalibrationText();

}  // namespace vorda
