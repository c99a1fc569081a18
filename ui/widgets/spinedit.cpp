#include "ui/widgets/spinedit.h"

#include <QLineEdit>
#include <algorithm>

namespace vb {

SpinEdit::SpinEdit(int minimum, int maximum, int maxLength, QWidget *parent) : QSpinBox(parent) {
    setRange(minimum, maximum);
    lineEdit()->setMaxLength(maxLength);
}

int SpinEdit::number() const {
    bool ok = false;
    const int n = text().toInt(&ok);
    return ok ? std::clamp(n, minimum(), maximum()) : 0;
}

} // namespace vb
