#pragma once
// The main window's run-time fields that several parts of the program share. One object,
// owned by the program beside its Settings and passed by reference to whoever needs it.

#include <QString>
#include <cstdint>

namespace vorda {

struct ProgramState {
    QString startDir;             // current directory when the program started
    QString configDir;            // startDir + "/Config/"
    QString settingsProgramPath;  // file chosen for saving or loading a settings program

    std::int32_t optionWord = 0;        // option word of the last register reply; bit 0 = trigger
    std::int32_t selectedBlock = 0;     // block chosen for a single-block read
    std::int32_t rescanCountdown = -1;  // seconds until the block list is rescanned; -1 idle
    bool abortRequested = false;        // the user asked to abort a transfer
    bool statusRead = false;            // a register read succeeded since the last start or wipe
    bool defaultsUsed = false;          // the settings were built from defaults at start-up
    std::int32_t freeMemory = 0;        // free memory from the last register read
    std::int32_t expectedSamples = 0;   // samples x channels of register 0, or as set

    // Sets startDir and the paths derived from it.
    void setStartDir(const QString& dir)
    {
        startDir = dir;
        configDir = dir + QStringLiteral("/Config/");
    }
};

}  // namespace vorda
