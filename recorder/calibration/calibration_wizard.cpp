#include "calibration/calibration_wizard.h"
#include "core/message_captions.h"

#include "calibration/calibration_math.h"
#include "core/text_codec.h"
#include "link/recorder_protocol.h"

#include <algorithm>

namespace vorda {
namespace {

QString nameOf(const ChannelSettings& ch)
{
    return fromWin1250(fieldText(ch.name));
}

}  // namespace

QString noCommunicationText()
{
    return CalibrationWizard::tr("Brak komunikacji z systemem,\nSprawdź połączenia?,\nSprawdź zasilanie?");
}

QString emptyNameText()
{
    return CalibrationWizard::tr("Nie możesz skalibrować czujnika\nbez podania jego nazwy");
}

QString notANumberText()
{
    return CalibrationWizard::tr("Wpisz wartość liczbową punktu.");
}

QString notANumberText(const QString& field, const QString& text)
{
    return CalibrationWizard::tr("%1: \"%2\" nie jest liczbą.\n").arg(field, text) + notANumberText();
}

QString channelCaptionText()
{
    return CalibrationWizard::tr("Kanał");
}

QString constantsCaptionText()
{
    return CalibrationWizard::tr("Stałe S_B/S_C.");
}

QString firstPointCaption()
{
    return CalibrationWizard::tr("Wartość punktu 1");
}

QString secondPointCaption()
{
    return CalibrationWizard::tr("Wartość kalibrująca");
}

QString flatCalibrationText()
{
    return CalibrationWizard::tr("Kalibracja nieudana: odczyty w obu punktach różnią się o mniej niż %1 jednostek")
        .arg(kMinCodeDifference);
}

bool ProtocolCalibrationDevice::readStatus()
{
    return protocol_.readRegister(0).size() >= 5;
}

std::optional<std::int32_t> ProtocolCalibrationDevice::averagedCode(int channel)
{
    const QByteArray first = protocol_.readCurrentDataAveraged();
    // The last reply is the one still in the link; a silent first or last read would
    // leave a stale row in the mean.
    if (first.size() < 2 || protocol_.link().replyText().size() < 2) return std::nullopt;
    const Readings& r = protocol_.readings();
    const int c = std::clamp(channel, 1, kMaxChannels);
    return trimmedMean({r[1][c], r[2][c], r[3][c], r[4][c], r[5][c]});
}

CalibrationWizard::CalibrationWizard(Settings& settings, CalibrationDevice& device, Reporter& reporter,
                                     QString startDir)
    : settings_(settings), device_(device), reporter_(reporter), startDir_(std::move(startDir)),
      clock_([] { return QDateTime::currentDateTime(); })
{
    historySink_ = [this](const HistoryEntry& entry, const QDateTime& when) {
        appendHistory(startDir_, entry, when, reporter_);
    };
    view_.channel =
        settings_.currentChannel >= 1 && settings_.currentChannel <= kMaxChannels ? settings_.currentChannel : 1;
    loadFields();
}

void CalibrationWizard::start(WizardRole role)
{
    role_ = role;
    const bool calibration = role == WizardRole::Calibration;
    view_.stepsVisible = false;
    view_.caption = calibration ? tr("Kalibracja") : tr("Zerowanie");
    view_.introHeading = calibration ? tr("Przed kalibracją sprawdź:") : tr("Przed zerowaniem sprawdź:");
    view_.constantsCaption = constantsCaptionText();
    page_ = WizardPage::Intro;
    shown_ = WizardPage::Intro;
    firstPoint_.reset();
    // The channel's name or format may have been changed elsewhere since the last run.
    loadFields();
    introPage();
}

bool CalibrationWizard::press(WizardButton button)
{
    switch (button) {
    case WizardButton::Next:
        if (page_ == WizardPage::CalibrationResult || page_ == WizardPage::ZeroingResult) {
            nextRunPage();
            return false;
        }
        page_ = following(page_);
        break;
    case WizardButton::Back:
        page_ = preceding(page_);
        break;
    case WizardButton::Finish:
    case WizardButton::Close:
        page_ = WizardPage::Intro;
        break;
    }
    show(button == WizardButton::Next);
    if (button != WizardButton::Finish) return false;
    storeFields();
    return true;
}

WizardPage CalibrationWizard::following(WizardPage page) const
{
    switch (page) {
    case WizardPage::Intro:
        return WizardPage::Channel;
    case WizardPage::Channel:
        return WizardPage::FirstPoint;
    case WizardPage::FirstPoint:
        return role_ == WizardRole::Calibration ? WizardPage::SecondPoint : WizardPage::ZeroingResult;
    case WizardPage::SecondPoint:
        return WizardPage::CalibrationResult;
    case WizardPage::CalibrationResult:
    case WizardPage::ZeroingResult:
        break;
    }
    return WizardPage::Intro;
}

WizardPage CalibrationWizard::preceding(WizardPage page)
{
    switch (page) {
    case WizardPage::Intro:
    case WizardPage::Channel:
        return WizardPage::Intro;
    case WizardPage::FirstPoint:
        return WizardPage::Channel;
    case WizardPage::SecondPoint:
    case WizardPage::ZeroingResult:
        return WizardPage::FirstPoint;
    case WizardPage::CalibrationResult:
        return WizardPage::SecondPoint;
    }
    return WizardPage::Intro;
}

void CalibrationWizard::show(bool forward)
{
    switch (page_) {
    case WizardPage::Intro:
        introPage();
        break;
    case WizardPage::Channel:
        channelPage();
        break;
    case WizardPage::FirstPoint:
        firstPointPage(forward);
        break;
    case WizardPage::SecondPoint:
        secondPointPage(forward);
        break;
    case WizardPage::CalibrationResult:
        calibrationResultPage(forward);
        break;
    case WizardPage::ZeroingResult:
        zeroingResultPage(forward);
        break;
    }
}

void CalibrationWizard::introPage()
{
    firstPoint_.reset();
    view_.stepsVisible = false;
    shown_ = WizardPage::Intro;
    // Leaving a point page by closing the window must not let "&Zakończ" store the point
    // value as the sensor's name, and the intro must always offer a way out.
    if (fieldHoldsValue_) loadFields();
    view_.finishEnabled = true;
}

void CalibrationWizard::channelPage()
{
    firstPoint_.reset();
    view_.constantsCaptionVisible = false;
    view_.constantsVisible = false;
    if (!device_.readStatus()) {
        communicationFailed();
        page_ = WizardPage::Intro;
        return;
    }
    view_.prompt = tr("Wpisz numer kanału pomiarowego");
    view_.subPrompt = tr("i odpowiadającą mu nazwę czujnika.");
    view_.fieldCaption = tr("Nazwa czujnika");
    view_.channelCaption = channelCaptionText();
    view_.stepsVisible = true;
    view_.fieldCaptionVisible = true;
    view_.fieldVisible = true;
    view_.fieldEnabled = true;
    view_.channelEnabled = true;
    view_.formatVisible = true;
    settings_.currentChannel = view_.channel;
    loadFields();
    shown_ = WizardPage::Channel;
    view_.finishEnabled = true;
}

void CalibrationWizard::firstPointPage(bool /*forward*/)
{
    if (view_.field.isEmpty()) {
        reporter_.showMessage(emptyNameText(), warningCaption(), MessageIcon::Warning);
        page_ = WizardPage::Channel;
        return;
    }
    channel().numberFormat = view_.formatIndex;
    view_.fieldCaptionVisible = true;
    view_.fieldVisible = true;
    if (shown_ == WizardPage::Channel) {
        name_ = view_.field;
        setFieldText(channel().name, toWin1250Lossy(name_));
    }
    view_.field = QString::fromStdString(pointValueText(firstPoint_ ? firstPoint_->first : channel().valuePoint1));
    fieldHoldsValue_ = true;
    view_.prompt = tr("Pierwszy punkt kalibracji; Ustaw i wpisz ");
    view_.subPrompt = tr("wartości dla czujnika  %1").arg(name_);
    settings_.currentChannel = view_.channel;
    view_.channelEnabled = false;
    view_.channelCaption = channelCaptionText();
    view_.fieldCaption = firstPointCaption();
    view_.formatVisible = false;
    // Back from the zeroing's result page the value must be editable again.
    view_.fieldEnabled = true;
    shown_ = WizardPage::FirstPoint;
    view_.finishEnabled = false;
}

void CalibrationWizard::secondPointPage(bool forward)
{
    if (forward) {
        const auto point = takePoint(firstPointCaption());
        if (!point) {
            page_ = WizardPage::FirstPoint;
            return;
        }
        firstPoint_ = point;
        view_.fieldVisible = true;
    }
    view_.field = QString::fromStdString(pointValueText(channel().valuePoint2));
    fieldHoldsValue_ = true;
    view_.fieldCaptionVisible = true;
    view_.prompt = tr("Drugi punkt kalibracji; Ustaw i wpisz ");
    view_.subPrompt = tr("wartości dla czujnika  %1").arg(name_);
    view_.channelCaption = channelCaptionText();
    view_.fieldCaption = secondPointCaption();
    view_.fieldEnabled = true;
    view_.constantsCaptionVisible = false;
    view_.constantsVisible = false;
    shown_ = WizardPage::SecondPoint;
    view_.finishEnabled = false;
}

void CalibrationWizard::calibrationResultPage(bool forward)
{
    if (forward) {
        const auto point = takePoint(secondPointCaption());
        if (!point) {
            page_ = WizardPage::SecondPoint;
            return;
        }
        if (!firstPoint_ ||
            std::abs(static_cast<std::int64_t>(point->second) - firstPoint_->second) < kMinCodeDifference) {
            // No slope can come of it: the channel keeps the constants it had.
            reporter_.showMessage(flatCalibrationText(), warningCaption(), MessageIcon::Warning);
            page_ = WizardPage::SecondPoint;
            return;
        }
        ChannelSettings& ch = channel();
        ch.rawPoint1 = firstPoint_->second;
        ch.valuePoint1 = firstPoint_->first;
        ch.valuePoint2 = point->first;
        ch.rawPoint2 = point->second;
        ch.slopeSB = twoPointSlope(ch.rawPoint1, ch.valuePoint1, ch.rawPoint2, ch.valuePoint2);
        ch.offsetSC = offsetThroughPoint(ch.slopeSB, ch.rawPoint1, ch.valuePoint1);
        view_.fieldVisible = true;
        view_.field = name_;
        fieldHoldsValue_ = false;
        view_.fieldEnabled = false;
        view_.prompt = tr("Koniec kalibracji czujnika %1.").arg(name_);
        view_.subPrompt = tr("Następna kalibracja - wciśnij 'Dalej'");
        view_.constantsCaptionVisible = true;
        view_.constantsVisible = true;
        view_.constants = QString::fromStdString(calibrationResultText(ch.slopeSB, ch.offsetSC));
        view_.channelCaption = channelCaptionText();
        view_.fieldCaption = tr("Nazwa czujnika");
        recordHistory(HistoryEntry::Kind::Calibration);
    }
    shown_ = WizardPage::CalibrationResult;
    view_.finishEnabled = true;
}

void CalibrationWizard::zeroingResultPage(bool forward)
{
    if (!forward) return;  // the result page is only reached with "Dalej >>"
    const auto point = takePoint(firstPointCaption());
    if (!point) {
        page_ = WizardPage::FirstPoint;
        return;
    }
    ChannelSettings& ch = channel();
    ch.rawPoint1 = point->second;
    ch.valuePoint1 = point->first;
    ch.offsetSC = offsetThroughPoint(ch.slopeSB, ch.rawPoint1, ch.valuePoint1);
    view_.fieldVisible = true;
    view_.field = nameOf(ch);
    fieldHoldsValue_ = false;
    view_.constants = QString::fromStdString(zeroingResultText(ch.slopeSB, ch.offsetSC));
    view_.fieldCaption = tr("Nazwa czujnika");
    view_.prompt = tr("Koniec zerowania czujnika %1.").arg(name_);
    view_.subPrompt = tr("Następne zerowanie - wciśnij 'Dalej'");
    shown_ = WizardPage::ZeroingResult;
    view_.constantsCaptionVisible = true;
    view_.fieldEnabled = false;
    view_.constantsVisible = true;
    view_.finishEnabled = true;
    recordHistory(HistoryEntry::Kind::Zeroing);
}

void CalibrationWizard::nextRunPage()
{
    firstPoint_.reset();
    page_ = WizardPage::Intro;
    view_.stepsVisible = false;
    shown_ = WizardPage::Intro;
    view_.finishEnabled = true;
}

std::optional<std::pair<double, std::int32_t>> CalibrationWizard::takePoint(const QString& field)
{
    const auto value = readPointValue(view_.field.toStdString());
    if (!value) {
        reporter_.showMessage(notANumberText(field, view_.field), warningCaption(), MessageIcon::Warning);
        return std::nullopt;
    }
    const auto code = device_.averagedCode(view_.channel);
    if (!code) {
        communicationFailed();
        return std::nullopt;
    }
    return std::make_pair(*value, *code);
}

void CalibrationWizard::communicationFailed()
{
    reporter_.showMessage(noCommunicationText(), errorCaption(), MessageIcon::Error);
}

void CalibrationWizard::setChannel(int channel)
{
    const int next = std::clamp(channel, 1, kMaxChannels);
    if (next == view_.channel) return;
    storeFields();
    view_.channel = next;
    settings_.currentChannel = next;
    loadFields();
}

void CalibrationWizard::storeFields()
{
    settings_.currentChannel = view_.channel;
    setFieldText(channel().name, toWin1250Lossy(view_.field));
    channel().numberFormat = view_.formatIndex;
}

void CalibrationWizard::loadFields()
{
    view_.field = nameOf(channel());
    view_.formatIndex = channel().numberFormat;
    fieldHoldsValue_ = false;
}

void CalibrationWizard::recordHistory(HistoryEntry::Kind kind)
{
    const ChannelSettings& ch = channel();
    HistoryEntry entry;
    entry.kind = kind;
    entry.channel = view_.channel;
    entry.name = std::string(fieldText(ch.name));
    entry.raw1 = ch.rawPoint1;
    entry.value1 = ch.valuePoint1;
    if (kind == HistoryEntry::Kind::Calibration) {
        entry.raw2 = ch.rawPoint2;
        entry.value2 = ch.valuePoint2;
    }
    entry.slopeSB = ch.slopeSB;
    entry.offsetSC = ch.offsetSC;
    historySink_(entry, clock_());
}

}  // namespace vorda
