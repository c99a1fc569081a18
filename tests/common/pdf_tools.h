#pragma once
// Reading PDF files back with poppler-utils: the page count and size from
// pdfinfo, the words and their boxes (in points, from the page's top-left
// corner) from pdftotext -bbox.

#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <string>
#include <vector>

namespace vbtest {

inline std::string runTool(const QString &program, const QStringList &args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    return p.readAllStandardOutput().toStdString();
}

struct PdfInfo {
    int pages = 0;
    std::string pageSize; // as pdfinfo writes it, e.g. "595.276 x 841.89 pts (A4)"
};

inline PdfInfo pdfInfo(const std::string &path) {
    const QString out = QString::fromStdString(runTool("pdfinfo", {QString::fromStdString(path)}));
    PdfInfo info;
    const auto pages = QRegularExpression("^Pages:\\s+(\\d+)$", QRegularExpression::MultilineOption).match(out);
    if (pages.hasMatch())
        info.pages = pages.captured(1).toInt();
    const auto size = QRegularExpression("^Page size:\\s+(.+)$", QRegularExpression::MultilineOption).match(out);
    if (size.hasMatch())
        info.pageSize = size.captured(1).trimmed().toStdString();
    return info;
}

struct PdfWord {
    int page; // from 1
    double xMin, yMin, xMax, yMax;
    std::string text; // UTF-8
};

inline std::vector<PdfWord> pdfWords(const std::string &path) {
    const QString out =
        QString::fromStdString(runTool("pdftotext", {"-bbox", "-enc", "UTF-8", QString::fromStdString(path), "-"}));
    std::vector<PdfWord> words;
    int page = 0;
    static const QRegularExpression tag("<page |<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                                        "yMax=\"([\\d.]+)\">([^<]*)</word>");
    for (auto it = tag.globalMatch(out); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0).startsWith("<page")) {
            ++page;
            continue;
        }
        QString text = m.captured(5);
        text.replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"").replace("&apos;", "'");
        text.replace("&amp;", "&");
        words.push_back({page, m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                         m.captured(4).toDouble(), text.toStdString()});
    }
    return words;
}

// The words of one page joined by spaces, in the order pdftotext gives them.
inline std::string pageText(const std::vector<PdfWord> &words, int page) {
    std::string out;
    for (const PdfWord &w : words)
        if (w.page == page)
            out += (out.empty() ? "" : " ") + w.text;
    return out;
}

} // namespace vbtest
