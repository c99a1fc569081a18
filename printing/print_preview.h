#pragma once
// The print preview: the pages of a message as the printer prints them, laid
// out once with the printer's own page layout and fitting, a page drawn only
// when it is shown, on an image the size of the screen, through the same
// canvas and page printer that print it. A few drawn pages are kept.

#include "printing/page_printer.h"
#include "printing/painter_canvas.h"

#include <QDialog>
#include <QPixmap>
#include <list>

class QLabel;
class QLineEdit;
class QPagedPaintDevice;
class QPushButton;
class QScrollArea;
class QToolButton;

namespace vb {

class PrintPreview : public QDialog {
    Q_OBJECT
public:
    // The pages of content on page, the device the pages are printed on
    // (measured, never drawn on); both outlive the dialog.
    PrintPreview(const PrintContent &content, QPagedPaintDevice &page, QWidget *parent = nullptr);
    ~PrintPreview() override;

    // Lays out the pages (every line measured once); false when progress
    // stopped it. Shows the first page.
    bool measure(const PrintProgress &progress = nullptr);
    int pageCount() const { return pages_; }
    int currentPage() const { return page_; }
    // Page p (from 1) drawn across width pixels, the whole paper.
    QImage pageImage(int p, int width);

    enum class Zoom { FitWidth, FitPage, Scaled };
    Zoom zoom() const { return zoom_; }

signals:
    // The Print button was pressed.
    void printRequested();

public slots:
    void showPage(int p);
    void zoomIn();
    void zoomOut();
    void fitWidth();
    void fitPage();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // The width, in screen pixels, the paper is shown across.
    int shownWidth() const;
    void refresh();
    QPixmap cachedPage(int p, int width);

    const PrintContent &content_;
    QPagedPaintDevice &device_;
    PainterCanvas canvas_;
    PagePrinter printer_;
    int pages_ = 1;
    int page_ = 1;
    Zoom zoom_ = Zoom::FitPage;
    double scale_ = 1; // screen pixels a paper pixel, when Scaled
    struct Drawn {
        int page, width;
        QPixmap pixmap;
    };
    std::list<Drawn> drawn_; // the most recently shown first

    QToolButton *first_, *previous_, *next_, *last_;
    QLineEdit *number_;
    QToolButton *fitWidth_, *fitPage_, *zoomIn_, *zoomOut_;
    QPushButton *print_, *close_;
    QScrollArea *area_;
    QLabel *paper_;
};

} // namespace vb
