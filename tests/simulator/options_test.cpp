// Command line and scenario files of the simulator.

#include "scenario.h"
#include "sim_options.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace recsim;

TEST(SimOptions, GeneratorAndFaultOptions)
{
    std::string error;
    const auto o = parseOptions({"--model",    "R5",
                                 "--blocks",   "4",
                                 "--samples",  "30",
                                 "--channels", "16",
                                 "--period",   "250",
                                 "--trigger",  "--baud",
                                 "230400",     "--silent-register",
                                 "2",          "--silent-register",
                                 "5",          "--wrong-block-number",
                                 "3:2",        "--garbage",
                                 "7",          "--cut-block",
                                 "1:900",      "--nul-in-dump",
                                 "12",         "--never-silent"},
                                error);
    ASSERT_TRUE(o) << error;
    const SimConfig& c = o->config;
    EXPECT_EQ(c.modelDigit, '5');
    ASSERT_EQ(c.blocks.size(), 4u);
    for (const Block& b : c.blocks) {
        EXPECT_EQ(b.sampleCount, 30);
        EXPECT_EQ(b.channelCount, 16);
        EXPECT_EQ(b.samplingMs, 250);
        EXPECT_EQ(b.optionWord, 1);
    }
    EXPECT_EQ(c.settings.optionWord, 1);
    EXPECT_EQ(o->baud, 230400);
    EXPECT_EQ(c.faults.silentRegisters, (std::set<int>{2, 5}));
    EXPECT_EQ(c.faults.wrongBlockNumberTimes, 3);
    EXPECT_EQ(c.faults.wrongBlockNumberRegister, 2);
    EXPECT_EQ(c.faults.garbageBytes, 7);
    EXPECT_EQ(c.faults.garbageTimes, -1);
    EXPECT_EQ(c.faults.cutBlocks.at(1), 900);
    EXPECT_EQ(c.faults.nulInDumpAt, 12);
    EXPECT_TRUE(c.faults.neverSilent);
}

TEST(SimOptions, BadArgumentsAreRefusedWithAReason)
{
    const std::vector<std::vector<std::string>> bad = {{"--model", "R6"},
                                                       {"--channels", "17"},
                                                       {"--channels", "0"},
                                                       {"--blocks", "-1"},
                                                       {"--period", "0"},
                                                       {"--baud", "fast"},
                                                       {"--cut-block", "3"},
                                                       {"--wrong-block-number", "x"},
                                                       {"--frobnicate"},
                                                       {"--log"},
                                                       {"--scenario", "/nonexistent/scenario.txt"}};
    for (const auto& args : bad) {
        std::string error;
        EXPECT_FALSE(parseOptions(args, error)) << args.front();
        EXPECT_FALSE(error.empty()) << args.front();
    }
    std::string error;
    const auto help = parseOptions({"--help"}, error);
    ASSERT_TRUE(help);
    EXPECT_TRUE(help->help);
    for (const char* option : {"--link", "--baud", "--log", "--scenario", "--silent-register", "--wrong-block-number",
                               "--garbage", "--nul-in-dump", "--cut-block", "--never-silent"}) {
        EXPECT_NE(helpText().find(option), std::string::npos) << option;
    }
}

TEST(SimScenario, BlocksModelAndMemoryFromAFile)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("scenario.txt").toStdString();
    std::ofstream(path) << "# two blocks\n"
                           "model R1\n"
                           "memory 5000\n"
                           "block 2006-07-08 12:30:45 500 10 4 0\n"
                           "block 2006-07-09 01:02:03 3 100 2 1  308 65535 7  # explicit values\n";
    std::string error;
    auto o = parseOptions({"--scenario", path}, error);
    ASSERT_TRUE(o) << error;
    EXPECT_EQ(o->config.modelDigit, '1');
    EXPECT_EQ(o->config.memoryCapacity, 5000);
    ASSERT_EQ(o->config.blocks.size(), 2u);
    const Block& b = o->config.blocks[1];
    EXPECT_EQ(b.date, "2006-07-09");
    EXPECT_EQ(b.time, "01:02:03");
    EXPECT_EQ(b.optionWord, 1);
    EXPECT_EQ(b.values, (std::vector<std::uint16_t>{308, 65535, 7}));
    EXPECT_TRUE(o->config.blocks[0].values.empty());

    o = parseOptions({"--scenario", path, "--model", "R4"}, error);
    ASSERT_TRUE(o);
    EXPECT_EQ(o->config.modelDigit, '4') << "the command line wins";

    for (const char* text : {"block 2006-07-08 12:30:45 500 10\n", "block 2006-07-08 12:30:45 5 10 17 0\n",
                             "block 2006-07-08 12:30:45 5 10 2 0 70000\n", "block 08.07.2006 12:30:45 5 10 2 0\n",
                             "model R9\n", "colour blue\n", "block 2006-07-08 12:30:45 5 10 2 0 1 x\n"}) {
        EXPECT_FALSE(parseScenario(std::string("\n") + text, error)) << text;
        EXPECT_NE(error.find("line 2"), std::string::npos) << error;
    }
}

TEST(SimScenario, TheShippedExampleLoads)
{
    std::string error;
    const auto scenario = loadScenario(VORDA_SOURCE_DIR "/simulator/example-scenario.txt", error);
    ASSERT_TRUE(scenario) << error;
    EXPECT_EQ(scenario->modelDigit, '5');
    EXPECT_EQ(scenario->blocks.size(), 3u);
    EXPECT_EQ(scenario->blocks[2].values.size(), 8u);
}

TEST(SimScenario, OnlyRegularFilesOfSaneSizeAreRead)
{
    QTemporaryDir dir;
    std::string error;
    // A device would be read without end, a directory taken as an empty scenario.
    EXPECT_FALSE(loadScenario("/dev/zero", error));
    EXPECT_NE(error.find("/dev/zero is not a regular file"), std::string::npos) << error;
    EXPECT_FALSE(loadScenario(dir.path().toStdString(), error));
    EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;

    const std::string big = dir.filePath("big.txt").toStdString();
    std::ofstream(big) << std::string(kMaxScenarioBytes - 1, '#') << "\nm";
    EXPECT_FALSE(loadScenario(big, error));
    EXPECT_NE(error.find("larger than 1 MiB"), std::string::npos) << error;
    std::filesystem::resize_file(big, kMaxScenarioBytes);
    EXPECT_TRUE(loadScenario(big, error)) << error;  // one comment line, at the limit
}
