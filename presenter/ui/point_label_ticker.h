#pragma once
// The bottom axis's ticker of the presenter's charts.

#include <qcustomplot.h>

#include <QString>

#include <functional>

namespace wizor {

// Bottom-axis ticks at whole key numbers, labelled with the points' date and time, as
// far apart as the labels need. Ticks fall on multiples of `unit` keys (the overview's
// run length), where a label is known.
class PointLabelTicker : public QCPAxisTicker {
public:
    explicit PointLabelTicker(QCPAxisRect* rect) : rect_(rect) {}

    // Labels by key from `labelOf` for keys 0 .. count-1, ticks on multiples of `unit`,
    // labels `labelPixels` wide.
    void setSource(std::function<QString(long long)> labelOf, long long count, long long unit, int labelPixels);
    // The label of the key at or before `key` that carries one (a multiple of the unit).
    QString labelNear(double key) const;

protected:
    double getTickStep(const QCPRange& range) override;
    int getSubTickCount(double) override { return 0; }
    QString getTickLabel(double tick, const QLocale&, QChar, int) override;
    QVector<double> createTickVector(double step, const QCPRange& range) override;

private:
    QCPAxisRect* rect_;
    std::function<QString(long long)> labelOf_;
    long long count_ = 0;
    long long unit_ = 1;
    int labelPixels_ = 0;
};

}  // namespace wizor
