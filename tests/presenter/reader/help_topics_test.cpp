#include "help_topics.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

// Every anchor the window opens must exist in the help page.
TEST(HelpTopics, EveryContextAnchorIsInTheHelpPage)
{
    std::ifstream file(std::string(VORDA_SOURCE_DIR) + "/presenter/help/wizor.html");
    ASSERT_TRUE(file) << "help page missing";
    std::stringstream page;
    page << file.rdbuf();
    const std::string text = page.str();

    for (int context = 0; context <= 6; ++context) {
        const std::string id = "id=\"" + std::string(wizor::helpAnchor(context)) + "\"";
        EXPECT_NE(text.find(id), std::string::npos) << "context " << context;
    }
    EXPECT_NE(text.find("id=\"" + std::string(wizor::kHelpIndexAnchor) + "\""), std::string::npos);
    EXPECT_NE(text.find("<html lang=\"pl\">"), std::string::npos);
}

}  // namespace
