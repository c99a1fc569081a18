#pragma once
// The font dialog: a face and a size, nothing else (no colour, effects or
// style). It offers the scalable fonts of real character sets, fixed-pitch
// ones only when asked, and sizes from 9 to 100 points.

#include <QDialog>
#include <QStringList>

class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace vb {

constexpr int kFontSizeMin = 9;
constexpr int kFontSizeMax = 100;

// The faces offered, in the font system's order.
QStringList offeredFaces(bool fixedPitchOnly);

class FontDialog : public QDialog {
    Q_OBJECT
public:
    // Starts on face and size. A face that is not installed is offered too
    // when the face standing in for it is.
    FontDialog(const QString &face, int size, bool fixedPitchOnly, QWidget *parent = nullptr);
    QString face() const;
    int size() const;

    QListWidget *faces = nullptr;
    QSpinBox *sizeBox = nullptr;
    QListWidget *sizes = nullptr;
    QLabel *sample = nullptr;
    QPushButton *ok = nullptr;
    QPushButton *cancel = nullptr;

private:
    void showSize();
    void showSample();
};

} // namespace vb
