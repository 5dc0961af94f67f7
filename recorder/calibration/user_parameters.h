#pragma once
// User parameter sets: a text file whose first line is a title and whose further lines
// ("channel S_B S_C format name") set the constants, format and name of channels through
// the constants editor's fields, as a double click on the file in the editor's list does.

#include "calibration/channel_constants.h"
#include "calibration/comma_number.h"
#include "core/settings_record.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <optional>

namespace vorda {

inline constexpr char kStartupParameterFile[] = "userparameter1.txt";

// Bounds on what a set is read from: a line is shorter than 200 characters and a set
// names 16 channels, so a longer line is skipped unread and lines past the limit are not
// read at all (the file is not a parameter set).
inline constexpr qsizetype kMaxParameterLineLength = 1024;
inline constexpr int kMaxParameterLines = 10000;

struct ParameterSetOutcome {
    bool found = false;               // the file existed and could be read
    QString title;                    // its first line
    int linesApplied = 0;             // lines stored into a channel
    int channelsSet = 0;              // distinct channels among them
    int linesSkipped = 0;             // lines refused: channel, format or first field wrong
    std::optional<FieldError> error;  // a number that is not one: the set stopped there
    int errorLine = 0;                // 1-based line number of that error
    bool truncated = false;           // more than kMaxParameterLines lines: the rest not read

    // What the editor's title label shows: the title, and "(pominięto N wierszy)" after
    // it when lines were refused.
    QString titleText() const;
};

// Applies the set held in `content` (the file's bytes, Windows-1250, CR-LF or LF lines).
// Each line of 6 characters or more is read as "%d %s %s %d %s" (S_B at most 15
// characters, S_C 11, name 15); the fields a line lacks keep the previous line's values
// (at first the editor's), except the name, which is emptied for every line. A line whose
// first field is not a whole number, whose channel lies outside 1..fields.channelMax or
// whose format lies outside 0..3 is skipped and counted. The spin is moved to each
// channel without events and the editor's fields are stored there (S_A and the chart text
// as the fields show them).
// Lines longer than kMaxParameterLineLength are skipped and counted; reading stops after
// kMaxParameterLines lines.
ParameterSetOutcome applyParameterSet(Settings& settings, ConstantsEditorFields& fields, const QByteArray& content);
ParameterSetOutcome applyParameterSet(Settings& settings, ConstantsEditorFields& fields, QIODevice& in);

// The set a start from defaults applies: "userparameter1.txt" in `configDir` when it is
// there, else the copy installed with the program in `installedDataDir` + "/Config"
// (which names the channels k1...k16 with the 0-1000 mV constants); empty when neither is.
QString startupParameterFile(const QString& configDir, const QString& installedDataDir);

// The same for a file, read line by line; `found` false (and nothing changed) when it is
// not a regular file or cannot be read.
ParameterSetOutcome applyParameterFile(Settings& settings, ConstantsEditorFields& fields, const QString& path);

}  // namespace vorda
