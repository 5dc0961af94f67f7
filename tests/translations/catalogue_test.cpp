#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <optional>

namespace {

// Each catalogue of translations/ and the source folders whose texts it holds.
struct Catalogue {
    const char* file;
    QStringList sources;
};

const Catalogue kCatalogues[] = {
    {"vorda_en.ts",
     {"recorder/ui", "common/ui", "recorder/core", "recorder/link", "recorder/files", "recorder/calibration",
      "recorder/measure", "recorder/cli"}},
    {"wizor_en.ts", {"presenter", "common/ui"}},
};

// Where lupdate finds the headers, so that a class's context carries its namespace.
const QStringList kIncludes = {"recorder", "common", "common/ui", "common/language", "presenter/ui",
                               "presenter/reader"};

struct Message {
    QString context;
    QString source;
    QStringList translations;  // one, or the plural forms
    bool finished = false;
    bool plural = false;  // tr() with %n: the forms may spell the number out
};

// The placeholders of a text (%1, %L2, %n), sorted.
QStringList placeholders(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("%L?(\\d{1,2}|n)"));
    QStringList found;
    for (auto it = pattern.globalMatch(text); it.hasNext();) found << it.next().captured();
    found.sort();
    return found;
}

// The mnemonic letters of a text (after each single '&'; "&&" is a plain ampersand), lower case.
QString mnemonics(const QString& text)
{
    QString letters;
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&')) continue;
        if (text[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        if (!text[i + 1].isSpace()) letters += text[i + 1].toLower();
    }
    return letters;
}

// The character a <byte value="xd"/> element of a catalogue stands for (lupdate writes
// control characters such as the CR of a "\n\r" line break that way).
QChar byteElement(const QXmlStreamReader& xml)
{
    return QChar(xml.attributes().value(QLatin1String("value")).mid(1).toUShort(nullptr, 16));
}

// The text of the current element up to its end, with its <byte> elements as characters.
QString elementText(QXmlStreamReader& xml)
{
    QString text;
    const QString end = xml.name().toString();
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isCharacters()) text += xml.text();
        else if (xml.isStartElement() && xml.name() == QLatin1String("byte")) text += byteElement(xml);
        else if (xml.isEndElement() && xml.name() == end) break;
    }
    return text;
}

QList<Message> readCatalogue(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read ") + path;
        return {};
    }
    QList<Message> messages;
    QXmlStreamReader xml(&file);
    QString context;
    Message message;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) continue;
        const auto name = xml.name();
        if (name == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (name == QLatin1String("message")) {
            message = Message{context, {}, {}, false};
            message.plural = xml.attributes().value(QLatin1String("numerus")) == QLatin1String("yes");
        } else if (name == QLatin1String("source")) {
            message.source = elementText(xml);
        } else if (name == QLatin1String("translation")) {
            const QString type = xml.attributes().value(QLatin1String("type")).toString();
            message.finished = type.isEmpty();
            // Plural forms stand in <numerusform> children; otherwise the text itself.
            QStringList forms;
            while (!(xml.isEndElement() && xml.name() == QLatin1String("translation")) && !xml.atEnd()) {
                xml.readNext();
                if (xml.isCharacters() || (xml.isStartElement() && xml.name() == QLatin1String("byte"))) {
                    if (forms.isEmpty()) forms << QString();
                    forms.last() += xml.isCharacters() ? xml.text().toString() : QString(byteElement(xml));
                } else if (xml.isStartElement() && xml.name() == QLatin1String("numerusform")) {
                    forms << elementText(xml);
                }
            }
            forms.removeIf([](const QString& form) { return form.trimmed().isEmpty(); });
            message.translations = forms;
            messages << message;
        }
    }
    if (xml.hasError()) *error = path + QStringLiteral(": ") + xml.errorString();
    return messages;
}

// Every fault of the messages: unfinished, placeholders or mnemonics that differ from the
// source, or two texts of one context that take the same mnemonic letter in English
// where their Polish sources do not.
QStringList faults(const QList<Message>& messages)
{
    QStringList found;
    const auto where = [](const Message& m) {
        return m.context + QStringLiteral(": \"") + m.source + QLatin1Char('"');
    };
    QMap<QString, QList<const Message*>> byContext;
    for (const Message& m : messages) {
        if (!m.finished || m.translations.isEmpty()) {
            found << where(m) + QStringLiteral(" has no finished translation");
            continue;
        }
        for (const QString& t : m.translations) {
            QStringList expected = placeholders(m.source);
            QStringList got = placeholders(t);
            if (m.plural) {
                expected.removeAll(QStringLiteral("%n"));
                got.removeAll(QStringLiteral("%n"));
            }
            if (got != expected)
                found << where(m) + QStringLiteral(" -> \"") + t + QStringLiteral("\": placeholders differ");
            if (mnemonics(t).size() != mnemonics(m.source).size())
                found << where(m) + QStringLiteral(" -> \"") + t + QStringLiteral("\": mnemonics differ");
        }
        byContext[m.context] << &m;
    }
    for (const auto& list : std::as_const(byContext)) {
        for (qsizetype i = 0; i < list.size(); ++i) {
            for (qsizetype j = i + 1; j < list.size(); ++j) {
                const QString a = mnemonics(list[i]->translations.first());
                const QString b = mnemonics(list[j]->translations.first());
                if (a.size() != 1 || a != b) continue;
                if (mnemonics(list[i]->source) == mnemonics(list[j]->source)) continue;
                found << where(*list[i]) + QStringLiteral(" and \"") + list[j]->source +
                             QStringLiteral("\" share the mnemonic '") + a + QStringLiteral("' in English only");
            }
        }
    }
    return found;
}

TEST(CatalogueCheck, FindsEachKindOfFault)
{
    const auto message = [](const char* source, const char* translation, bool finished = true) {
        return Message{QStringLiteral("vorda::MainWindow"), QString::fromUtf8(source),
                       {QString::fromUtf8(translation)}, finished};
    };
    struct Case {
        QList<Message> messages;
        int faults;
    };
    const Case cases[] = {
        {{message("&Plik", "&File"), message("Odebrano: %1 z %L2", "Received: %1 of %L2")}, 0},
        {{message("&Plik", "&File", false)}, 1},
        {{message("Odebrano: %1 z %2", "Received: %1")}, 1},
        {{message("Odebrano: %1", "Received: %L1")}, 1},
        {{message("&Koniec", "Exit")}, 1},
        {{message("Tom && Jerry", "Tom && Jerry")}, 0},
        {{message("&Zapisz", "&Save"), message("&System", "&System")}, 1},
        // Already shared in Polish: allowed in English as well.
        {{message("&Pomiay", "&Measurements"), message("&Pomiary", "&Measurements")}, 0},
    };
    for (const Case& c : cases) {
        const QStringList found = faults(c.messages);
        EXPECT_EQ(found.size(), c.faults) << c.messages.first().source.toStdString() << ": "
                                          << found.join('\n').toStdString();
    }
}

class CatalogueTest : public testing::TestWithParam<Catalogue> {};

TEST_P(CatalogueTest, EveryTextHasAFinishedMatchingTranslation)
{
    const Catalogue& catalogue = GetParam();
    const QDir root(QStringLiteral(VORDA_SOURCE_DIR));
    const QString original = root.filePath(QStringLiteral("translations/") + QLatin1String(catalogue.file));
    ASSERT_TRUE(QFile::exists(original)) << "the catalogue " << catalogue.file << " is missing";

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString copy = dir.filePath(QLatin1String(catalogue.file));
    ASSERT_TRUE(QFile::copy(original, copy));
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);

    QStringList arguments{QStringLiteral("-locations"), QStringLiteral("none"), QStringLiteral("-no-obsolete")};
    for (const QString& include : kIncludes) arguments << QStringLiteral("-I") << root.filePath(include);
    for (const QString& source : catalogue.sources) arguments << root.filePath(source);
    arguments << QStringLiteral("-ts") << copy;
    QProcess lupdate;
    lupdate.start(QStringLiteral(VORDA_LUPDATE), arguments);
    ASSERT_TRUE(lupdate.waitForFinished(120000)) << "lupdate did not finish";
    ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAllStandardError().toStdString();

    QString error;
    const QList<Message> messages = readCatalogue(copy, &error);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    EXPECT_FALSE(messages.isEmpty());
    const QStringList found = faults(messages);
    EXPECT_TRUE(found.isEmpty()) << catalogue.file << " (refresh it with scripts/update-translations.sh):\n"
                                 << found.join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Catalogues, CatalogueTest, testing::ValuesIn(kCatalogues),
                         [](const testing::TestParamInfo<Catalogue>& info) {
                             return QString::fromLatin1(info.param.file).section('.', 0, 0).toStdString();
                         });

}  // namespace
