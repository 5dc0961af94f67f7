#pragma once
// The readout under the mouse: a thin vertical line at the nearest point and, beside it, a
// box with that point's time label and each shown curve's value there, in the curve's
// colour with its name. Child widgets over the chart, so that following the mouse moves
// them without drawing the chart again.

#include <QColor>
#include <QString>

#include <vector>

class QFrame;
class QLabel;
class QWidget;

namespace wizor {

// What the readout shows at one point.
struct Readout {
    struct Row {
        QString name;
        QColor colour;
        QString value;
    };
    double key = 0.0;
    QString label;
    std::vector<Row> rows;
};

class ReadoutOverlay {
public:
    explicit ReadoutOverlay(QWidget* chart);

    // Shows `readout` with its line at horizontal pixel `x` from `top` to `bottom`.
    void show(const Readout& readout, int x, int top, int bottom);
    void hide();
    bool visible() const;
    // The text the box shows (for the tests).
    QString text() const;

private:
    QWidget* chart_;
    QFrame* line_;
    QLabel* box_;
};

}  // namespace wizor
