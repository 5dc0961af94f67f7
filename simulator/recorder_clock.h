#pragma once
// The recorder's clock as its replies show it: date "yyyy-MM-dd", time "HH:mm:ss".

#include <QDateTime>

#include <string>

namespace recsim {

inline std::string clockDateText(const QDateTime& when)
{
    return when.toString(QStringLiteral("yyyy-MM-dd")).toStdString();
}

inline std::string clockTimeText(const QDateTime& when)
{
    return when.toString(QStringLiteral("HH:mm:ss")).toStdString();
}

}  // namespace recsim
