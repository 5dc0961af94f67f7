#pragma once
// The spreadsheet copy of a measurement file: "doExcela._txt", the file's text with every
// run of spaces turned into one tab and every full stop into a comma, so that a
// spreadsheet with a decimal comma splits the columns and reads the numbers.

#include <QString>
#include <string>
#include <string_view>

class QIODevice;

namespace vorda {

inline constexpr char kSpreadsheetCopyName[] = "doExcela._txt";

// Rewrites text chunk by chunk, so a run of spaces or a CR LF pair may span chunks.
// The source is taken as text: a CR LF pair becomes a lone LF.
class SpreadsheetConverter {
public:
    // Appends the converted form of `chunk` to `out`.
    void feed(std::string_view chunk, std::string& out);
    // Ends the text: a CR held back at the end of the last chunk is written.
    void finish(std::string& out);

private:
    bool inSpaces_ = false;
    bool pendingCr_ = false;
};

// The whole conversion of one text in memory.
std::string toSpreadsheetText(std::string_view text);

enum class ExportResult { Ok, SourceUnreadable, TargetUnwritable };

// Writes the spreadsheet copy of `sourcePath` to `targetPath`. The copy replaces the
// target only when the whole source was read and written, so a failed export leaves the
// previous copy as it was; a target that is not a regular file (a link included) is
// TargetUnwritable and left untouched.
ExportResult exportForSpreadsheet(const QString& sourcePath, const QString& targetPath);
// The same from an open device; a read error before its end is SourceUnreadable.
ExportResult exportForSpreadsheet(QIODevice& source, const QString& targetPath);

}  // namespace vorda
