#pragma once
// A spin box whose arrows keep to [minimum, maximum] but whose typed number stays as typed,
// so that a value outside the range is reported before it is replaced rather than reverted
// without a word.

#include <QSpinBox>

#include <algorithm>

namespace vorda {

class BoundedSpinBox : public QSpinBox {
public:
    BoundedSpinBox(int minimum, int maximum, QWidget* parent = nullptr)
        : QSpinBox(parent), minimum_(minimum), maximum_(maximum)
    {
        setRange(-99999999, 99999999);
    }
    int boundMinimum() const { return minimum_; }
    int boundMaximum() const { return maximum_; }
    void stepBy(int steps) override { setValue(std::clamp(value() + steps, minimum_, maximum_)); }

protected:
    StepEnabled stepEnabled() const override
    {
        StepEnabled enabled = StepNone;
        if (value() < maximum_) enabled |= StepUpEnabled;
        if (value() > minimum_) enabled |= StepDownEnabled;
        return enabled;
    }

private:
    int minimum_;
    int maximum_;
};

}  // namespace vorda
