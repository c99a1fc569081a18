#include "ui/widgets/fonts.h"

#include <QFont>
#include <QString>
#include <QStringList>

namespace vb {

void installFontSubstitutes() {
    QFont::insertSubstitutions(QString::fromUtf8("ＭＳ ゴシック"),
                               {QStringLiteral("IPAGothic"), QStringLiteral("IPAゴシック"),
                                QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Monospace")});
    QFont::insertSubstitutions(
        QString::fromUtf8("ＭＳ Ｐゴシック"),
        {QStringLiteral("IPAPGothic"), QStringLiteral("IPA Pゴシック"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Arial"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
}

} // namespace vb
