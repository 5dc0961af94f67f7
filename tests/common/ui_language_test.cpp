#include "ui_language.h"

#include <gtest/gtest.h>

#include <QMap>

using language::Language;

namespace {

Language fromVariables(const QMap<QString, QString>& variables)
{
    return language::fromEnvironment([&](const char* name) { return variables.value(QLatin1String(name)); });
}

}  // namespace

TEST(UiLanguage, TheFirstLocaleVariableSetDecides)
{
    struct Case {
        QMap<QString, QString> variables;
        Language expected;
    };
    const Case cases[] = {
        {{}, Language::Polish},
        {{{"LANG", "en_US.UTF-8"}}, Language::English},
        {{{"LANG", "pl_PL.UTF-8"}}, Language::Polish},
        {{{"LANG", "C.UTF-8"}}, Language::Polish},
        {{{"LANG", "english"}}, Language::Polish},
        {{{"LANG", "en"}}, Language::English},
        {{{"LC_MESSAGES", "en_GB.UTF-8"}, {"LANG", "pl_PL.UTF-8"}}, Language::English},
        {{{"LC_ALL", "pl_PL.UTF-8"}, {"LC_MESSAGES", "en_GB.UTF-8"}}, Language::Polish},
        {{{"LANGUAGE", "en_US:pl"}, {"LC_ALL", "pl_PL.UTF-8"}}, Language::English},
        {{{"LANGUAGE", "pl:en"}, {"LANG", "en_US.UTF-8"}}, Language::Polish},
        {{{"LANGUAGE", ""}, {"LANG", "en_US.UTF-8"}}, Language::English},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fromVariables(c.variables), c.expected) << c.variables.keys().join(' ').toStdString();
}

TEST(UiLanguage, ASavedChoiceWinsOverTheLocale)
{
    EXPECT_EQ(language::choose(QStringLiteral("en"), Language::Polish), Language::English);
    EXPECT_EQ(language::choose(QStringLiteral("pl"), Language::English), Language::Polish);
    EXPECT_EQ(language::choose(QString(), Language::English), Language::English);
    EXPECT_EQ(language::choose(QStringLiteral("de"), Language::Polish), Language::Polish);
}
