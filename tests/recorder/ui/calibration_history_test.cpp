// "&Historia kalibracji": the history file as a table under its headings, sortable, and
// the file in the spreadsheet.

#include "window_fixture.h"

#include "screenshots.h"

#include "calibration/calibration_history.h"
#include "core/csv_fields.h"
#include "ui/properties_window.h"

#include <QHeaderView>
#include <QTableWidget>

namespace vorda::test {
namespace {

TEST(CsvFields, QuotedFieldsKeepTheirSeparatorsAndQuotes)
{
    const std::pair<const char*, QStringList> cases[] = {
        {"a;b;;c", {"a", "b", "", "c"}},
        {"\"x;y\";2", {"x;y", "2"}},
        {"\"say \"\"hi\"\"\";", {"say \"hi\"", ""}},
        {"", {""}},
    };
    for (const auto& [line, fields] : cases) EXPECT_EQ(splitCsvFields(QString::fromUtf8(line)), fields) << line;
}

using CalibrationHistory = WindowFixture;

TEST_F(CalibrationHistory, ShownAsASortableTableThatOpensInTheSpreadsheet)
{
    ASSERT_TRUE(QDir(startDir_.path()).mkpath(QStringLiteral("Config")));
    writeFile(historyFilePath(startDir_.path()),
              QByteArray(historyHeading().c_str()) +
                  "\r\n2026-03-05 10:00:00;zerowanie;10;T10;500;0,0000;;;1,000000;-0,500000\r\n"
                  "2026-03-04 09:00:00;kalibracja;2;\"a;b\";1000;0,0000;11000;100,0000;10,000000;-10,000000\r\n"
                  "2026-03-06 08:00:00;kalibracja;3;P3;0;0,0000;100;1,0000;10,000000;0,000000\r\n");
    launcher_.knownPrograms = {QStringLiteral("libreoffice")};
    createWindow();
    PropertiesWindow& p = windows_->propertiesWindow();
    emit p.historyRequested();

    auto* table = child<QTableWidget>(p, "historyTable");
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->rowCount(), 3);
    EXPECT_EQ(table->horizontalHeaderItem(0)->text(), QStringLiteral("Data i czas"));
    const auto column = [table](int c) {
        QStringList texts;
        for (int row = 0; row < table->rowCount(); ++row) texts << table->item(row, c)->text();
        return texts;
    };
    // Oldest first; the channel sorts as a number, not as text.
    EXPECT_EQ(column(2), QStringList({"2", "10", "3"}));
    table->horizontalHeader()->setSortIndicator(2, Qt::AscendingOrder);
    EXPECT_EQ(column(2), QStringList({"2", "3", "10"}));
    EXPECT_EQ(column(3), QStringList({"a;b", "P3", "T10"}));
    saveScreenshot(p, "vorda-calibration-history.png");

    for (QPushButton* b : p.findChildren<QPushButton*>())
        if (b->text() == QStringLiteral("Otwórz w arkuszu kalkulacyjnym")) b->click();
    ASSERT_EQ(launcher_.started.size(), 1u);
    EXPECT_EQ(launcher_.started[0].arguments,
              QStringList({QStringLiteral("--calc"), historyFilePath(startDir_.path())}));
}

}  // namespace
}  // namespace vorda::test
