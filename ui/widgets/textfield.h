#pragma once
// A one-line text field of byte strings. What the user types or pastes is
// cut silently so that the text holds no more than a set number of
// code-page bytes; text set by the program is taken as it is, and a text
// that is already too long can still be shortened.

#include "platform/codepage.h"

#include <QLineEdit>

namespace vb {

class TextField : public QLineEdit {
    Q_OBJECT
public:
    explicit TextField(QWidget *parent = nullptr);
    // 0 for no limit.
    void setByteLimit(int bytes) { limit_ = bytes; }
    int byteLimit() const { return limit_; }
    Bytes bytes() const { return fromUnicode(text()); }
    void setBytes(const Bytes &text);

private:
    friend class ByteLimitValidator;
    int limit_ = 0;
    bool byProgram_ = false; // the text being set is taken whole
    QString accepted_;       // the text before the edit being checked
};

} // namespace vb
