#include "printing/print_preview.h"

#include "platform/apptitle.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace vb {
namespace {

// Pages kept drawn.
constexpr size_t kKeptPages = 3;
// The longest side of a page drawn, in pixels, at any zoom.
constexpr int kLargestSide = 2000;
constexpr int kSmallestWidth = 80;
// Each zoom step enlarges or shrinks by this much.
constexpr double kZoomStep = 1.25;
// The grey around the paper, in pixels.
constexpr int kBorder = 8;

template <typename Button>
Button *control(QWidget *parent, const char *name, const char *text, const char *accessible, const char *hint) {
    auto *b = new Button(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(QString::fromUtf8(text));
    b->setAccessibleName(QString::fromUtf8(accessible));
    b->setAccessibleDescription(QString::fromUtf8(hint));
    b->setToolTip(QString::fromUtf8(hint));
    return b;
}

} // namespace

PrintPreview::PrintPreview(const PrintContent &content, QPagedPaintDevice &page, QWidget *parent)
    : QDialog(parent), content_(content), device_(page), canvas_(page), printer_(canvas_, content_) {
    setObjectName(QStringLiteral("PrintPreview"));
    setWindowTitle(toUnicode(appTitle()));
    setAccessibleName(QStringLiteral("Print Preview"));
    setAccessibleDescription(QStringLiteral("The pages as they will be printed"));

    first_ = control<QToolButton>(this, "PreviewFirst", "|<", "First page", "Shows the first page (Home)");
    previous_ =
        control<QToolButton>(this, "PreviewPrevious", "<", "Previous page", "Shows the previous page (Page Up)");
    next_ = control<QToolButton>(this, "PreviewNext", ">", "Next page", "Shows the next page (Page Down)");
    last_ = control<QToolButton>(this, "PreviewLast", ">|", "Last page", "Shows the last page (End)");
    number_ = new QLineEdit(this);
    number_->setObjectName(QStringLiteral("PreviewPageNumber"));
    number_->setAccessibleName(QStringLiteral("Page number"));
    number_->setAccessibleDescription(
        QStringLiteral("The page shown and the number of pages; type a page number and press Enter to show it"));
    number_->setToolTip(number_->accessibleDescription());
    number_->setAlignment(Qt::AlignCenter);
    number_->setMaximumWidth(number_->fontMetrics().horizontalAdvance(QStringLiteral("000000 / 000000")) + 16);
    fitWidth_ = control<QToolButton>(this, "PreviewFitWidth", "Fit Width", "Fit width",
                                     "Shows the page as wide as the window");
    fitPage_ = control<QToolButton>(this, "PreviewFitPage", "Fit Page", "Fit page", "Shows the whole page");
    zoomIn_ = control<QToolButton>(this, "PreviewZoomIn", "+", "Zoom in", "Shows the page larger (Ctrl++)");
    zoomOut_ = control<QToolButton>(this, "PreviewZoomOut", "-", "Zoom out", "Shows the page smaller (Ctrl+-)");
    for (QToolButton *b : {fitWidth_, fitPage_})
        b->setCheckable(true);
    print_ = control<QPushButton>(this, "PreviewPrint", "Print", "Print", "Prints the pages on the printer");
    close_ = control<QPushButton>(this, "PreviewClose", "Close", "Close", "Closes the preview (Escape)");
    // Enter in the page number field goes to that page, never to a button.
    for (QPushButton *b : {print_, close_}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }

    area_ = new QScrollArea(this);
    area_->setObjectName(QStringLiteral("PreviewPages"));
    area_->setAccessibleName(QStringLiteral("Page"));
    area_->setAccessibleDescription(QStringLiteral("The page shown, as it will be printed"));
    area_->setBackgroundRole(QPalette::Dark);
    area_->setWidgetResizable(true);
    area_->setAlignment(Qt::AlignCenter);
    paper_ = new QLabel(area_);
    paper_->setObjectName(QStringLiteral("PreviewPaper"));
    paper_->setAccessibleName(QStringLiteral("Page image"));
    paper_->setAccessibleDescription(QStringLiteral("The page shown, drawn as it will be printed"));
    paper_->setAlignment(Qt::AlignCenter);
    paper_->setContentsMargins(kBorder, kBorder, kBorder, kBorder);
    area_->setWidget(paper_);

    auto *bar = new QHBoxLayout;
    for (QWidget *w : std::initializer_list<QWidget *>{first_, previous_, number_, next_, last_})
        bar->addWidget(w);
    bar->addSpacing(16);
    for (QWidget *w : std::initializer_list<QWidget *>{fitWidth_, fitPage_, zoomOut_, zoomIn_})
        bar->addWidget(w);
    bar->addStretch(1);
    bar->addWidget(print_);
    bar->addWidget(close_);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(area_, 1);

    connect(first_, &QToolButton::clicked, this, [this] { showPage(1); });
    connect(previous_, &QToolButton::clicked, this, [this] { showPage(page_ - 1); });
    connect(next_, &QToolButton::clicked, this, [this] { showPage(page_ + 1); });
    connect(last_, &QToolButton::clicked, this, [this] { showPage(pages_); });
    connect(number_, &QLineEdit::returnPressed, this, [this] {
        const auto m = QRegularExpression(QStringLiteral("^\\s*(\\d+)")).match(number_->text());
        showPage(m.hasMatch() ? m.captured(1).toInt() : page_);
    });
    connect(fitWidth_, &QToolButton::clicked, this, &PrintPreview::fitWidth);
    connect(fitPage_, &QToolButton::clicked, this, &PrintPreview::fitPage);
    connect(zoomIn_, &QToolButton::clicked, this, &PrintPreview::zoomIn);
    connect(zoomOut_, &QToolButton::clicked, this, &PrintPreview::zoomOut);
    connect(print_, &QPushButton::clicked, this, &PrintPreview::printRequested);
    connect(close_, &QPushButton::clicked, this, &QDialog::reject);

    struct Key {
        QKeySequence keys;
        QToolButton *button;
    } const keys[] = {
        {QKeySequence(Qt::Key_PageUp), previous_}, {QKeySequence(Qt::Key_PageDown), next_},
        {QKeySequence(Qt::Key_Home), first_},      {QKeySequence(Qt::Key_End), last_},
        {QKeySequence::ZoomIn, zoomIn_},           {QKeySequence::ZoomOut, zoomOut_},
    };
    for (const Key &k : keys) {
        auto *shortcut = new QShortcut(k.keys, this);
        connect(shortcut, &QShortcut::activated, k.button, &QToolButton::click);
    }

    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QSize avail = screen->availableSize();
        resize(std::min(avail.width(), 800), std::min(avail.height(), 900) * 9 / 10);
    }
    showPage(1);
}

PrintPreview::~PrintPreview() = default;

bool PrintPreview::measure(const PrintProgress &progress) {
    if (!printer_.measure(progress))
        return false;
    pages_ = printer_.PrintPageCount();
    drawn_.clear();
    showPage(1);
    return true;
}

QImage PrintPreview::pageImage(int p, int width) {
    const QPageLayout layout = device_.pageLayout();
    const int dpi = device_.logicalDpiX();
    const QRect paper = layout.fullRectPixels(dpi);
    const QRect printable = layout.paintRectPixels(dpi);
    const double scale = double(width) / std::max(1, paper.width());
    QImage image(width, std::max(1, int(std::lround(paper.height() * scale))), QImage::Format_RGB32);
    image.fill(Qt::white);
    // Sizes in points come out as on the printer: the image claims its
    // resolution, and the painter shrinks its pixels to the image's.
    const int perMetre = int(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(perMetre);
    image.setDotsPerMeterY(perMetre);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.scale(scale, scale);
    painter.translate(printable.topLeft());
    canvas_.paintWith(&painter);
    printer_.printPage(std::clamp(p, 1, pages_));
    canvas_.paintWith(nullptr);
    return image;
}

int PrintPreview::shownWidth() const {
    const QRect paper = device_.pageLayout().fullRectPixels(device_.logicalDpiX());
    const double aspect = double(paper.height()) / std::max(1, paper.width());
    const int frame = 2 * area_->frameWidth() + 2 * kBorder;
    const int across = area_->width() - frame - area_->verticalScrollBar()->sizeHint().width();
    const int down = area_->height() - frame;
    int width = across;
    if (zoom_ == Zoom::FitPage)
        width = std::min(across, int(down / aspect));
    else if (zoom_ == Zoom::Scaled)
        width = int(std::lround(paper.width() * scale_));
    const int largest = int(kLargestSide / std::max(1.0, aspect));
    return std::clamp(width, kSmallestWidth, largest);
}

QPixmap PrintPreview::cachedPage(int p, int width) {
    for (auto it = drawn_.begin(); it != drawn_.end(); ++it) {
        if (it->page == p && it->width == width) {
            drawn_.splice(drawn_.begin(), drawn_, it);
            return drawn_.front().pixmap;
        }
    }
    // Pages drawn at another zoom are not shown again.
    drawn_.remove_if([width](const Drawn &d) { return d.width != width; });
    drawn_.push_front({p, width, QPixmap::fromImage(pageImage(p, width))});
    if (drawn_.size() > kKeptPages)
        drawn_.pop_back();
    return drawn_.front().pixmap;
}

void PrintPreview::refresh() {
    number_->setText(QStringLiteral("%1 / %2").arg(page_).arg(pages_));
    first_->setEnabled(page_ > 1);
    previous_->setEnabled(page_ > 1);
    next_->setEnabled(page_ < pages_);
    last_->setEnabled(page_ < pages_);
    fitWidth_->setChecked(zoom_ == Zoom::FitWidth);
    fitPage_->setChecked(zoom_ == Zoom::FitPage);
    if (isVisible())
        paper_->setPixmap(cachedPage(page_, shownWidth()));
}

void PrintPreview::showPage(int p) {
    page_ = std::clamp(p, 1, pages_);
    refresh();
}

void PrintPreview::zoomIn() {
    const QRect paper = device_.pageLayout().fullRectPixels(device_.logicalDpiX());
    scale_ = shownWidth() * kZoomStep / std::max(1, paper.width());
    zoom_ = Zoom::Scaled;
    refresh();
}

void PrintPreview::zoomOut() {
    const QRect paper = device_.pageLayout().fullRectPixels(device_.logicalDpiX());
    scale_ = shownWidth() / kZoomStep / std::max(1, paper.width());
    zoom_ = Zoom::Scaled;
    refresh();
}

void PrintPreview::fitWidth() {
    zoom_ = Zoom::FitWidth;
    refresh();
}

void PrintPreview::fitPage() {
    zoom_ = Zoom::FitPage;
    refresh();
}

void PrintPreview::resizeEvent(QResizeEvent *event) {
    QDialog::resizeEvent(event);
    refresh();
}

void PrintPreview::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    refresh();
}

} // namespace vb
