#pragma once
// A label that shows a category's font: "face／size point", written in the
// face it names. It carries the point size that storing the category writes.

#include "platform/codepage.h"

#include <QLabel>

namespace vb {

class FontLabel : public QLabel {
    Q_OBJECT
public:
    explicit FontLabel(QWidget *parent = nullptr);
    // From a category's face and size slots; a size that is not a whole
    // number shows and counts as 12.
    void showFont(const Bytes &face, const Bytes &points);
    void setFontChoice(const Bytes &face, int points);
    const Bytes &face() const { return face_; }
    int points() const { return points_; }

private:
    Bytes face_;
    int points_ = 12;
};

} // namespace vb
