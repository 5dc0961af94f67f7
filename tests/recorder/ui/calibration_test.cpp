// "K&alibrowanie": the choice dialog and the wizard window against recorder-sim.

#include "window_fixture.h"

#include "support/recorder_sim.h"
#include "ui/calibration_choice.h"
#include "ui/calibration_wizard_window.h"
#include "ui/properties_window.h"
#include "screenshots.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <QTemporaryDir>

#include <cstdio>
#include <functional>

namespace vorda::test {
namespace {

class Calibration : public WindowFixture {
protected:
    // "K&alibrowanie", then `choose` in the modal choice dialog.
    void openWizard(MainWindow& w, QPushButton* (CalibrationChoiceDialog::*choose)() const)
    {
        CalibrationChoiceDialog& choice = windows_->calibrationChoice();
        QTimer::singleShot(0, &choice, [&choice, choose] { (choice.*choose)()->click(); });
        button(w, "calibrationButton")->click();
    }

    void enterValue(CalibrationWizardWindow& wizard, const QString& text)
    {
        wizard.field()->clear();
        QTest::keyClicks(wizard.field(), text);
        wizard.nextButton()->click();
    }
};

TEST_F(Calibration, ChoiceDialogOffersBothProceduresAndHelp)
{
    createWindow();
    CalibrationChoiceDialog& choice = windows_->calibrationChoice();
    EXPECT_EQ(choice.windowTitle(), QStringLiteral("Kalibracja / Zerowanie"));
    QStringList texts;
    for (const QLabel* label : choice.findChildren<QLabel*>()) texts << label->text();
    EXPECT_TRUE(texts.contains(QStringLiteral("Wybierz:")));
    EXPECT_TRUE(texts.contains(
        QStringLiteral("Jednopunktowe zerowanie.\nUstawienie przesunięcia charakterystyki,\nnachylenia bez zmian.")));

    const std::pair<QPushButton* (CalibrationChoiceDialog::*)() const, int> results[] = {
        {&CalibrationChoiceDialog::calibrationButton, 1},
        {&CalibrationChoiceDialog::zeroingButton, 6},
        {&CalibrationChoiceDialog::cancelButton, 0}};
    for (const auto& [button, result] : results) {
        QTimer::singleShot(0, &choice, [&choice, button] { (choice.*button)()->click(); });
        EXPECT_EQ(choice.exec(), result);
    }
    // Cancelled: no wizard.
    EXPECT_FALSE(windows_->calibrationWindow().isVisible());

    QDir(startDir_.path()).mkpath(QStringLiteral("Help"));
    writeFile(startPath(QStringLiteral("Help/instVor3.html")), "<html></html>");
    for (QPushButton* b : choice.findChildren<QPushButton*>())
        if (b->text() == QStringLiteral("Pomoc")) b->click();
    ASSERT_NE(windows_->helpWindow(), nullptr);
    EXPECT_EQ(windows_->helpWindow()->source().fragment(), QStringLiteral("kal"));
}

TEST_F(Calibration, WizardCalibratesAChannelAgainstTheRecorder)
{
    // Channel 2 reads 1000 for the first point's five replies, then 11000.
    ASSERT_TRUE(startSimulator({QStringLiteral("--dat"), QStringLiteral("0,1000"), QStringLiteral("--dat-after"),
                                QStringLiteral("5:0,11000")}))
        << sim_->errorText().toStdString();
    Settings prepared = defaultSettings(startDir_.path());
    prepared.channelsUsed = 1;  // channel 2 lies above the channels in use
    setFieldText(prepared.channel(2).name, "old");
    writeConfiguration(prepared);
    MainWindow& w = createWindow();
    w.show();

    openWizard(w, &CalibrationChoiceDialog::calibrationButton);
    CalibrationWizardWindow& wizard = windows_->calibrationWindow();
    ASSERT_TRUE(wizard.isVisible());
    EXPECT_EQ(wizard.windowTitle(), QStringLiteral("Kalibracja"));
    EXPECT_EQ(wizard.introHeading()->text(), QStringLiteral("Przed kalibracją sprawdź:"));
    EXPECT_FALSE(wizard.groupShown());

    wizard.nextButton()->click();
    ASSERT_TRUE(wizard.groupShown());
    EXPECT_TRUE(sim_->commands().contains(QByteArray(" ?R_0 &")));
    // A typed channel loads that channel's name, like the spin's arrows.
    wizard.channelSpin()->clear();
    QTest::keyClicks(wizard.channelSpin(), QStringLiteral("2"));
    EXPECT_EQ(wizard.field()->text(), QStringLiteral("old"));
    wizard.field()->setText(QStringLiteral("Siła"));
    wizard.formatList()->setCurrentIndex(2);
    emit wizard.formatList()->activated(2);

    wizard.nextButton()->click();
    EXPECT_EQ(wizard.fieldCaption()->text(), QStringLiteral("Wartość punktu 1"));
    EXPECT_FALSE(wizard.channelSpin()->isEnabled());
    EXPECT_FALSE(wizard.finishButton()->isEnabled());
    enterValue(wizard, QStringLiteral("0.0"));
    EXPECT_EQ(wizard.fieldCaption()->text(), QStringLiteral("Wartość kalibrująca"));
    enterValue(wizard, QStringLiteral("100.0"));

    const ChannelSettings& ch = settings_.channel(2);
    EXPECT_EQ(ch.rawPoint1, 1000);
    EXPECT_EQ(ch.rawPoint2, 11000);
    // The window shows what the wizard stored; the arithmetic is the wizard's tests' matter.
    char result[64];
    std::snprintf(result, sizeof result, "%8.6f / %7.4f", ch.slopeSB, ch.offsetSC);
    EXPECT_EQ(wizard.constantsLabel()->text(), QString::fromLatin1(result));
    EXPECT_FALSE(wizard.constantsLabel()->isHidden());
    EXPECT_EQ(wizard.titleLabel()->text(), QStringLiteral("Koniec kalibracji czujnika Siła."));
    EXPECT_TRUE(wizard.finishButton()->isEnabled());

    wizard.finishButton()->click();
    EXPECT_FALSE(wizard.isVisible());
    EXPECT_EQ(fieldText(ch.name),
              "Si\xb3"
              "a");
    EXPECT_EQ(ch.numberFormat, 2);
    EXPECT_TRUE(dialogs_.messages.empty());

    // The history line waits for the record holding the results to be saved.
    EXPECT_TRUE(readHistory(startDir_.path()).isEmpty());
    w.saveAndExit();
    EXPECT_EQ(readHistory(startDir_.path()).size(), 2);  // the headings and the line

    // The properties window lists the history line.
    PropertiesWindow& properties = windows_->propertiesWindow();
    for (QPushButton* b : properties.findChildren<QPushButton*>())
        if (b->text() == QStringLiteral("&Historia kalibracji")) b->click();
    EXPECT_EQ(properties.heading(), QStringLiteral("Historia kalibracji"));
    const QTableWidget* table = child<QTableWidget>(properties, "historyTable");
    ASSERT_NE(table, nullptr);
    EXPECT_TRUE(table->isVisible());
    ASSERT_EQ(table->rowCount(), 1);
    ASSERT_EQ(table->columnCount(), 10);
    EXPECT_EQ(table->horizontalHeaderItem(2)->text(), QStringLiteral("Kanał"));
    QStringList row;
    for (int column = 1; column < 8; ++column) row << table->item(0, column)->text();
    EXPECT_EQ(row.join(QLatin1Char('|')), QStringLiteral("kalibracja|2|Siła|1000|0,0000|11000|100,0000"));
}

// A recorder that answers at once with one code; `during` looks at the window meanwhile.
struct OneCodeDevice : CalibrationDevice {
    std::function<void()> during;
    bool readStatus() override { return true; }
    std::optional<std::int32_t> averagedCode(int) override
    {
        if (during) during();
        return 1234;
    }
};

TEST(CalibrationReading, TheWindowShowsItIsBusyWhileAPointIsReadThenTheCode)
{
    application();
    QTemporaryDir dir;
    Settings settings{};
    applyStartupDefaults(settings, dir.path());
    OneCodeDevice device;
    WatchedCalibrationDevice watched(device);
    struct LastMessage : Reporter {
        QString text, caption;
        void showMessage(const QString& t, const QString& c, MessageIcon) override { text = t, caption = c; }
    } quiet;
    CalibrationWizard wizard(settings, watched, quiet, dir.path());
    CalibrationWizardWindow window(wizard);
    window.watchReadings(watched);

    window.begin(WizardRole::Calibration);
    window.nextButton()->click();  // the channel page
    window.field()->setText(QStringLiteral("czujnik"));
    window.nextButton()->click();  // the first point
    window.field()->setText(QStringLiteral("12,5"));
    QString shown;
    bool busy = false;
    device.during = [&] {
        shown = window.readingLabel()->text();
        busy = QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
    };
    window.nextButton()->click();
    EXPECT_EQ(shown, QString::fromUtf8("Odczyt kanału 1…"));
    EXPECT_TRUE(busy);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(window.readingLabel()->text(), QStringLiteral("Kanał 1: kod 1234, wartość 12,5"));

    // The second point reads the same code: the calibration fails and says so.
    device.during = nullptr;
    window.field()->setText(QStringLiteral("100"));
    window.nextButton()->click();
    EXPECT_TRUE(quiet.text.startsWith(QStringLiteral("Kalibracja nieudana"))) << quiet.text.toStdString();
    EXPECT_EQ(settings.channel(1).slopeSB, 0.0);
    if (!qEnvironmentVariableIsEmpty("VORDA_SCREENSHOTS")) {
        window.show();
        QMessageBox box(QMessageBox::Warning, quiet.caption, quiet.text, QMessageBox::Ok, &window);
        box.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
        test::saveScreen("screenshot-failed-calibration.png");
    }
}

TEST_F(Calibration, SilentRecorderKeepsTheIntroAndClosingDoesNotEnd)
{
    ASSERT_TRUE(startSimulator({QStringLiteral("--silent-register"), QStringLiteral("0")}));
    MainWindow& w = createWindow();
    w.show();
    openWizard(w, &CalibrationChoiceDialog::zeroingButton);
    CalibrationWizardWindow& wizard = windows_->calibrationWindow();
    EXPECT_EQ(wizard.windowTitle(), QStringLiteral("Zerowanie"));
    EXPECT_EQ(wizard.introHeading()->text(), QStringLiteral("Przed zerowaniem sprawdź:"));

    wizard.nextButton()->click();
    EXPECT_FALSE(wizard.groupShown());
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_EQ(dialogs_.messages[0].caption, QStringLiteral("Błąd..."));
    EXPECT_EQ(dialogs_.messages[0].text,
              QStringLiteral("Brak komunikacji z systemem,\nSprawdź połączenia?,\nSprawdź zasilanie?"));

    // Any other close returns to the intro and keeps the window; "&Zakończ" ends.
    EXPECT_FALSE(wizard.close());
    EXPECT_TRUE(wizard.isVisible());
    wizard.finishButton()->click();
    EXPECT_FALSE(wizard.isVisible());
}

}  // namespace
}  // namespace vorda::test
