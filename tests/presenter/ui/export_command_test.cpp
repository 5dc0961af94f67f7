// `wizor --export`: the arguments, and each format written as the window shows the file;
// every bad input exits non-zero and writes nothing.
#include "export_command.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <QTextStream>
#include <QXmlStreamReader>

namespace wizor {
namespace {

TEST(ExportCommand, Arguments)
{
    const auto parse = [](const char* line) {
        return parseCommandLine(QString::fromUtf8(line).split(' ', Qt::SkipEmptyParts));
    };
    EXPECT_TRUE(std::holds_alternative<std::monostate>(parse("C:\\Dane pomiarowe\\a.txt")));
    EXPECT_TRUE(std::holds_alternative<HelpRequest>(parse("--help")));
    const CommandRequest full = parse("--export o.png --page 3 --size 1200x800 a.txt");
    ASSERT_TRUE(std::holds_alternative<ExportRequest>(full));
    const ExportRequest& r = std::get<ExportRequest>(full);
    EXPECT_EQ(r.output, "o.png");
    EXPECT_EQ(r.file, "a.txt");
    EXPECT_EQ(r.page, std::optional<std::size_t>(3));
    EXPECT_EQ(r.size, std::optional<QSize>(QSize(1200, 800)));
    EXPECT_TRUE(std::get<ExportRequest>(parse("--overview --export o.csv a.txt")).overview);
    for (const char* bad : {"--export o.png", "--export o.png --page 0 a.txt", "--export o.png --size 12x a.txt",
                            "--export o.png --page 1 --overview a.txt", "--export o.png a.txt b.txt",
                            "--export o.png --colour red a.txt"})
        EXPECT_TRUE(std::holds_alternative<QString>(parse(bad))) << bad;
}

class ExportRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        QFile file(dir.filePath("m.txt"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(
            "Godzina: Temp Ci\x9Cn\r\n12:00:00.000 21.5 1.02\r\n12:00:00.500 21.6 1.03\r\n12:00:01.000 22.5 1.5\r\n");
    }

    int run(const QString& output, std::optional<std::size_t> page = std::nullopt, const QString& file = "m.txt")
    {
        ExportRequest request{dir.filePath(output), dir.filePath(file), page, false, QSize(640, 400)};
        QTextStream errors(&messages);
        return runExport(request, errors);
    }

    QTemporaryDir dir;
    QString messages;
};

TEST_F(ExportRun, EachFormatIsWrittenAndReadable)
{
    ASSERT_EQ(run("a.png"), 0) << messages.toStdString();
    const QImage image(dir.filePath("a.png"));
    ASSERT_EQ(image.size(), QSize(640, 400));
    // The curves are drawn in the plot area: red pixels of channel 1.
    int red = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) red += image.pixel(x, y) == qRgb(255, 0, 0);
    EXPECT_GT(red, 100);

    ASSERT_EQ(run("a.csv"), 0) << messages.toStdString();
    QFile csv(dir.filePath("a.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(csv.readAll()),
              QString::fromUtf8("Godzina:,Temp,Ciśn\r\n12:00:00.000,21.5,1.02\r\n"
                                "12:00:00.500,21.6,1.03\r\n12:00:01.000,22.5,1.5\r\n"));

    // The SVG is well-formed XML whose lines include channel 1's curve, drawn in red.
    ASSERT_EQ(run("a.svg"), 0) << messages.toStdString();
    QFile svg(dir.filePath("a.svg"));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&svg);
    int lines = 0;
    int redLines = 0;
    QStringList strokes{"none"};  // a group's stroke holds for what it holds
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::EndElement && xml.name() == QLatin1String("g")) strokes.removeLast();
        if (token != QXmlStreamReader::StartElement) continue;
        const QString stroke = xml.attributes().hasAttribute("stroke") ? xml.attributes().value("stroke").toString()
                                                                        : strokes.last();
        if (xml.name() == QLatin1String("g")) strokes << stroke;
        if (xml.name() != QLatin1String("path") && xml.name() != QLatin1String("polyline")) continue;
        ++lines;
        redLines += stroke == QLatin1String("#ff0000");
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_GT(lines, 10);
    EXPECT_GE(redLines, 1);

    ASSERT_EQ(run("a.pdf"), 0) << messages.toStdString();
    const QString renderer = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (renderer.isEmpty()) GTEST_SKIP() << "no pdftoppm to render the PDF";
    EXPECT_EQ(QProcess::execute(renderer, {"-r", "20", "-png", dir.filePath("a.pdf"), dir.filePath("page")}), 0);
    EXPECT_FALSE(QImage(dir.filePath("page-1.png")).isNull());
}

TEST_F(ExportRun, BadInputExitsNonZeroAndWritesNothing)
{
    struct Case {
        const char* output;
        std::optional<std::size_t> page;
        const char* file;
    };
    for (const Case& c : {Case{"a.gif", {}, "m.txt"}, Case{"a.png", {}, "none.txt"}, Case{"a.png", 2, "m.txt"},
                          Case{"a.svg", 2, "m.txt"}, Case{"a.svg", {}, "none.txt"}, Case{"a.csv", {}, "."}}) {
        messages.clear();
        EXPECT_NE(run(c.output, c.page, c.file), 0) << c.output << " " << c.file;
        EXPECT_FALSE(QFile::exists(dir.filePath(c.output))) << c.output;
        EXPECT_TRUE(messages.startsWith("wizor: ")) << messages.toStdString();
    }
}

// The program as a process speaks the language of its locale, or the one saved in its
// configuration; a Polish locale gives the Polish texts exactly.
TEST(WizorProcess, SpeaksTheLocalesLanguageOrTheSavedChoice)
{
    QTemporaryDir config;
    ASSERT_TRUE(config.isValid());
    const auto run = [&config](const QString& lang, const QStringList& arguments) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"}) environment.remove(name);
        environment.insert("LANG", lang);
        environment.insert("XDG_CONFIG_HOME", config.path());
        QProcess wizor;
        wizor.setProcessEnvironment(environment);
        wizor.setWorkingDirectory(config.path());
        wizor.start(QStringLiteral(VORDA_BINARY_DIR "/bin/wizor"), arguments);
        EXPECT_TRUE(wizor.waitForFinished(60000));
        return QString::fromUtf8(wizor.readAllStandardOutput() + wizor.readAllStandardError());
    };
    const auto saveChoice = [&config](const char* choice) {
        QSettings saved(config.filePath("OLUN/Wizor.conf"), QSettings::IniFormat);
        saved.setValue("language", choice);
    };
    struct Case {
        const char* lang;
        const char* saved;  // nullptr: no choice saved
        QStringList arguments;
        const char* expected;
    };
    const Case cases[] = {
        {"pl_PL.UTF-8", nullptr, {"--help"}, "Użycie: wizor [PLIK]\n"},
        {"en_US.UTF-8", nullptr, {"--help"}, "Usage: wizor [FILE]\n"},
        {"en_US.UTF-8", nullptr, {"--export", "a.png", "none.txt"}, "wizor: cannot read the file none.txt\n"},
        {"pl_PL.UTF-8", nullptr, {"--export", "a.png", "none.txt"}, "wizor: nie można odczytać pliku none.txt\n"},
        {"pl_PL.UTF-8", "en", {"--help"}, "Usage: wizor [FILE]\n"},
        {"en_US.UTF-8", "pl", {"--export", "a.png", "--page", "0", "x.txt"}, "wizor: zły numer strony: 0\n"},
    };
    for (const Case& c : cases) {
        QFile::remove(config.filePath("OLUN/Wizor.conf"));
        if (c.saved) saveChoice(c.saved);
        const QString output = run(QString::fromLatin1(c.lang), c.arguments);
        EXPECT_TRUE(output.contains(QString::fromUtf8(c.expected)))
            << c.lang << " " << (c.saved ? c.saved : "-") << ": " << output.toStdString();
    }
}

}  // namespace
}  // namespace wizor
