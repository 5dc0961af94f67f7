#include "calibration/user_parameters.h"

#include "core/text_codec.h"

#include <QFile>
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
    return QStringLiteral("%1 (pominięto %2 wierszy)").arg(title).arg(linesSkipped);
}

ParameterSetOutcome applyParameterSet(Settings& settings, ConstantsEditorFields& fields, const QByteArray& content)
{
    ParameterSetOutcome outcome;
    outcome.found = true;
    QList<QByteArray> lines = content.split('\n');
    if (!content.isEmpty() && content.endsWith('\n')) lines.removeLast();
    for (QByteArray& line : lines)
        if (line.endsWith('\r')) line.chop(1);
    if (lines.isEmpty()) return outcome;
    outcome.title =
        fromWin1250(std::string_view(lines.front().constData(), static_cast<std::size_t>(lines.front().size())));

    // The fields a line lacks keep the values of the last line applied.
    QString sb = fields.sb;
    QString sc = fields.sc;
    int format = fields.format;
    std::set<int> channels;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray& line = lines[i];
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
            outcome.errorLine = static_cast<int>(i + 1);
            break;
        }
        ++outcome.linesApplied;
        channels.insert(fields.channel);
    }
    outcome.channelsSet = static_cast<int>(channels.size());
    return outcome;
}

ParameterSetOutcome applyParameterFile(Settings& settings, ConstantsEditorFields& fields, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return applyParameterSet(settings, fields, file.readAll());
}

}  // namespace vorda
