#include "calibration/user_parameters.h"

#include "core/text_codec.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <set>

namespace vorda {
namespace {

// Reads the fields of one line as sscanf("%d %15s %11s %d %15s") would, except that a
// whole-number field must be a whole token ("12" yes, "12a" no).
class LineScanner {
public:
    explicit LineScanner(const QByteArray& line) : line_(line) {}

    bool atEnd()
    {
        skipBlanks();
        return pos_ >= line_.size();
    }

    // nullopt at the end of the line; `bad` set when a token is there but not a number.
    std::optional<long long> whole(bool& bad)
    {
        bad = false;
        if (atEnd()) return std::nullopt;
        qsizetype end = pos_;
        while (end < line_.size() && !isBlank(line_[end])) ++end;
        const QByteArray token = line_.mid(pos_, end - pos_);
        bool ok = false;
        const long long value = token.toLongLong(&ok, 10);
        if (!ok) {
            bad = true;
            return std::nullopt;
        }
        pos_ = end;
        return value;
    }

    std::optional<QString> text(qsizetype width)
    {
        if (atEnd()) return std::nullopt;
        qsizetype end = pos_;
        while (end < line_.size() && end - pos_ < width && !isBlank(line_[end])) ++end;
        const QByteArray token = line_.mid(pos_, end - pos_);
        pos_ = end;
        return fromWin1250(std::string_view(token.constData(), static_cast<std::size_t>(token.size())));
    }

private:
    static bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\n'; }
    void skipBlanks()
    {
        while (pos_ < line_.size() && isBlank(line_[pos_])) ++pos_;
    }

    const QByteArray& line_;
    qsizetype pos_ = 0;
};

}  // namespace

QString ParameterSetOutcome::titleText() const
{
    if (linesSkipped == 0) return title;
    return QCoreApplication::translate("UserParameters", "%1 (pominięto %2 wierszy)").arg(title).arg(linesSkipped);
}

namespace {

// One line without its LF or CR LF, at most kMaxParameterLineLength bytes; the rest of a
// longer line is read past and `tooLong` set. False at the end of the input.
bool readLine(QIODevice& in, QByteArray& line, bool& tooLong)
{
    char buffer[kMaxParameterLineLength + 2];
    tooLong = false;
    const qint64 n = in.readLine(buffer, sizeof buffer);
    if (n <= 0) return false;
    line = QByteArray(buffer, n);
    // The rest of a line longer than the buffer is read past, a buffer at a time.
    for (qint64 more = n; more > kMaxParameterLineLength && buffer[more - 1] != '\n';) {
        tooLong = true;
        more = in.readLine(buffer, sizeof buffer);
    }
    if (line.endsWith('\n')) line.chop(1);
    if (line.endsWith('\r')) line.chop(1);
    if (line.size() > kMaxParameterLineLength) {
        tooLong = true;
        line.truncate(kMaxParameterLineLength);
    }
    return true;
}

}  // namespace

ParameterSetOutcome applyParameterSet(Settings& settings, ConstantsEditorFields& fields, const QByteArray& content)
{
    QBuffer buffer;
    buffer.setData(content);
    buffer.open(QIODevice::ReadOnly);
    return applyParameterSet(settings, fields, buffer);
}

ParameterSetOutcome applyParameterSet(Settings& settings, ConstantsEditorFields& fields, QIODevice& in)
{
    ParameterSetOutcome outcome;
    outcome.found = true;
    QByteArray line;
    bool tooLong = false;
    if (!readLine(in, line, tooLong)) return outcome;
    outcome.title = fromWin1250(std::string_view(line.constData(), static_cast<std::size_t>(line.size())));

    // The fields a line lacks keep the values of the last line applied.
    QString sb = fields.sb;
    QString sc = fields.sc;
    int format = fields.format;
    std::set<int> channels;
    for (int number = 2; readLine(in, line, tooLong); ++number) {
        if (number > kMaxParameterLines) {
            outcome.truncated = true;
            break;
        }
        if (tooLong) {
            ++outcome.linesSkipped;
            continue;
        }
        if (line.size() < 6) continue;
        LineScanner scan(line);
        if (scan.atEnd()) continue;
        bool bad = false;
        const auto channel = scan.whole(bad);
        if (!channel || *channel < 1 || *channel > fields.channelMax) {
            ++outcome.linesSkipped;
            continue;
        }
        QString lineSb = sb;
        QString lineSc = sc;
        int lineFormat = format;
        QString name;
        if (auto t = scan.text(15)) {
            lineSb = *t;
            if (auto u = scan.text(11)) {
                lineSc = *u;
                const auto f = scan.whole(bad);
                if (bad || (f && (*f < 0 || *f > 3))) {
                    ++outcome.linesSkipped;
                    continue;
                }
                if (f) {
                    lineFormat = static_cast<int>(*f);
                    if (auto n = scan.text(15)) name = *n;
                }
            }
        }
        sb = lineSb;
        sc = lineSc;
        format = lineFormat;
        fields.channel = static_cast<int>(*channel);
        fields.sb = sb;
        fields.sc = sc;
        fields.format = format;
        fields.name = name;
        if (auto error = storeChannelFields(settings, fields)) {
            outcome.error = error;
            outcome.errorLine = number;
            break;
        }
        ++outcome.linesApplied;
        channels.insert(fields.channel);
    }
    outcome.channelsSet = static_cast<int>(channels.size());
    return outcome;
}

QString startupParameterFile(const QString& configDir, const QString& installedDataDir)
{
    for (const QString& dir : {configDir, QDir(installedDataDir).filePath(QStringLiteral("Config"))}) {
        const QString path = QDir(dir).filePath(QString::fromLatin1(kStartupParameterFile));
        if (!dir.isEmpty() && QFileInfo(path).isFile()) return path;
    }
    return {};
}

ParameterSetOutcome applyParameterFile(Settings& settings, ConstantsEditorFields& fields, const QString& path)
{
    // A FIFO or a device would block or never end.
    if (!QFileInfo(path).isFile()) return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return applyParameterSet(settings, fields, file);
}

}  // namespace vorda
