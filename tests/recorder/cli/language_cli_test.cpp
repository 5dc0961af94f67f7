// vorda-cli speaks the language the locale names: English from its embedded catalogue when
// LANG (or a variable before it) names English, Polish otherwise; what scripts read (the
// `name=value` lines of `config show`) reads alike in both.

#include "support/cli_run.h"

#include <gtest/gtest.h>
#include <QTemporaryDir>

namespace vorda {
namespace {

// The machine's environment with LANG alone naming the locale.
QProcessEnvironment withLang(const QString& lang)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"}) environment.remove(QString::fromLatin1(name));
    if (lang.isEmpty())
        environment.remove(QStringLiteral("LANG"));
    else
        environment.insert(QStringLiteral("LANG"), lang);
    return environment;
}

TEST(CliLanguage, TheLocaleChoosesEnglishOrPolish)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    struct Case {
        const char* lang;
        QStringList args;
        int exitCode;
        const char* outStart;  // standard output starts with it
        const char* err;       // standard error holds it
    };
    const Case cases[] = {
        {"en_US.UTF-8", {"--help"}, 0, "Usage: vorda-cli [--port DEVICE] COMMAND [ARGUMENTS]\n", ""},
        {"pl_PL.UTF-8", {"--help"}, 0, "Użycie: vorda-cli [--port URZĄDZENIE] POLECENIE [ARGUMENTY]\n", ""},
        {"", {"--help"}, 0, "Użycie: vorda-cli", ""},
        {"en_US.UTF-8", {"wipe", "--help"}, 0, "Usage: vorda-cli wipe [--yes]\n\nSends \"CLR_M &\" after asking", ""},
        {"en_US.UTF-8",
         {"read-block", "x"},
         2,
         "",
         "vorda-cli read-block: wrong arguments; see `vorda-cli read-block --help`\n"},
        {"C.UTF-8", {"read-block", "x"}, 2, "", "vorda-cli read-block: błędne argumenty; zobacz"},
        // The core's texts come from the same catalogue.
        {"en_GB.UTF-8", {"config", "show"}, 0, "# defaults apply: no dimconfig.aoln, and ", ""},
        {"pl_PL.UTF-8", {"config", "show"}, 0, "# obowiązują ustawienia domyślne: brak pliku dimconfig.aoln, a ", ""},
    };
    for (const Case& c : cases) {
        const test::CliRun run =
            test::runProgram(dir.path(), c.args, test::vordaCliPath(), std::nullopt, withLang(c.lang));
        const std::string what = std::string(c.lang) + " " + c.args.join(' ').toStdString();
        EXPECT_EQ(run.exitCode, c.exitCode) << what;
        if (*c.outStart == '\0')
            EXPECT_TRUE(run.out.isEmpty()) << what << "\n" << run.out.toStdString();
        else
            EXPECT_TRUE(run.out.startsWith(QString::fromUtf8(c.outStart))) << what << "\n" << run.out.toStdString();
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.err))) << what << "\n" << run.err.toStdString();
        if (c.args.first() == QLatin1String("config"))
            EXPECT_TRUE(run.out.contains(QStringLiteral("\nportNumber="))) << what;
    }
}

}  // namespace
}  // namespace vorda
