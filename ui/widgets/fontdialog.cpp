#include "ui/widgets/fontdialog.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <algorithm>

namespace vb {
namespace {

// Faces of symbol sets only are no real character set.
bool hasRealCharacterSet(const QString &family) {
    const QList<QFontDatabase::WritingSystem> systems = QFontDatabase::writingSystems(family);
    return std::any_of(systems.begin(), systems.end(),
                       [](QFontDatabase::WritingSystem s) { return s != QFontDatabase::Symbol; });
}

// Fixed pitch as the font system marks it, or as the face draws: Japanese
// faces give every half-width character one width and every full-width one
// twice that, and are often not marked.
bool isFixedPitch(const QString &family) {
    if (QFontDatabase::isFixedPitch(family))
        return true;
    QFont font(family);
    font.setPointSize(12);
    if (QFontInfo(font).family() != family)
        return false;
    const QFontMetricsF metrics(font);
    const qreal width = metrics.horizontalAdvance(QLatin1Char('i'));
    return width > 0 && metrics.horizontalAdvance(QLatin1Char('W')) == width &&
           metrics.horizontalAdvance(QLatin1Char('m')) == width;
}

const int kListedSizes[] = {9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72, 100};

QLabel *caption(const QString &text, QWidget *buddy, QWidget *parent) {
    auto *label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

QStringList offeredFaces(bool fixedPitchOnly) {
    QStringList out;
    for (const QString &family : QFontDatabase::families()) {
        if (QFontDatabase::isPrivateFamily(family) || !QFontDatabase::isScalable(family) ||
            !hasRealCharacterSet(family))
            continue;
        if (fixedPitchOnly && !isFixedPitch(family))
            continue;
        out.append(family);
    }
    return out;
}

FontDialog::FontDialog(const QString &face, int size, bool fixedPitchOnly, QWidget *parent) : QDialog(parent) {
    setWindowTitle(QString::fromUtf8("フォント"));
    faces = new QListWidget(this);
    faces->setObjectName("faces");
    faces->setAccessibleName(QStringLiteral("Font"));
    QStringList offered = offeredFaces(fixedPitchOnly);
    if (!offered.contains(face) && offered.contains(QFontInfo(QFont(face)).family()))
        offered.prepend(face);
    faces->addItems(offered);
    const int row = int(offered.indexOf(face));
    faces->setCurrentRow(row >= 0 ? row : 0);

    sizeBox = new QSpinBox(this);
    sizeBox->setObjectName("sizeBox");
    sizeBox->setAccessibleName(QStringLiteral("Size"));
    sizeBox->setRange(kFontSizeMin, kFontSizeMax);
    sizeBox->setValue(size);
    sizes = new QListWidget(this);
    sizes->setObjectName("sizes");
    sizes->setAccessibleName(QStringLiteral("Sizes"));
    for (int s : kListedSizes)
        sizes->addItem(QString::number(s));

    sample = new QLabel(QString::fromUtf8("AaBbYyZz あア亜"), this);
    sample->setObjectName("sample");
    sample->setAccessibleName(QStringLiteral("Sample"));
    sample->setMinimumHeight(64);
    sample->setAlignment(Qt::AlignCenter);
    sample->setFrameShape(QFrame::StyledPanel);

    auto *buttons = new QDialogButtonBox(this);
    ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    cancel = buttons->addButton(QString::fromUtf8("キャンセル"), QDialogButtonBox::RejectRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *grid = new QGridLayout(this);
    grid->addWidget(caption(QStringLiteral("&Font"), faces, this), 0, 0);
    grid->addWidget(caption(QStringLiteral("&Size"), sizeBox, this), 0, 1);
    grid->addWidget(faces, 1, 0, 2, 1);
    grid->addWidget(sizeBox, 1, 1);
    grid->addWidget(sizes, 2, 1);
    grid->addWidget(sample, 3, 0, 1, 2);
    grid->addWidget(buttons, 4, 0, 1, 2);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 1);
    resize(420, 360);

    connect(faces, &QListWidget::currentRowChanged, this, [this] { showSample(); });
    connect(sizes, &QListWidget::currentTextChanged, this, [this](const QString &text) {
        if (!text.isEmpty())
            sizeBox->setValue(text.toInt());
    });
    connect(sizeBox, qOverload<int>(&QSpinBox::valueChanged), this, [this] { showSize(); });
    showSize();
    faces->setFocus();
}

QString FontDialog::face() const {
    const QListWidgetItem *item = faces->currentItem();
    return item ? item->text() : QString();
}

int FontDialog::size() const { return sizeBox->value(); }

void FontDialog::showSize() {
    const QList<QListWidgetItem *> match = sizes->findItems(QString::number(size()), Qt::MatchExactly);
    const QSignalBlocker quiet(sizes);
    sizes->setCurrentItem(match.isEmpty() ? nullptr : match.first());
    showSample();
}

void FontDialog::showSample() {
    QFont f(face());
    f.setPointSize(size());
    sample->setFont(f);
}

} // namespace vb
