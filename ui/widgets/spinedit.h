#pragma once
// A spin field over whole numbers: a value set into it is clamped to its
// range, its text is limited in length, and text that is not a whole number
// reads as 0.

#include <QSpinBox>

namespace vb {

class SpinEdit : public QSpinBox {
    Q_OBJECT
public:
    SpinEdit(int minimum, int maximum, int maxLength, QWidget *parent = nullptr);
    // The text as a whole number clamped to the range; 0 when it is not one
    // (an emptied field included), whatever value the box last held.
    int number() const;
    // Sets the value, clamped to the range.
    void setNumber(int n) { setValue(n); }
};

} // namespace vb
