#include "game/platform/fonts.h"

#include <QFont>
#include <QStringList>

namespace kumoji {

void InstallFontSubstitutes() {
    const QStringList Gothics = {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"),
                                 QStringLiteral("Noto Sans CJK JP"), QStringLiteral("VL PGothic")};
    QFont::removeSubstitutions(QString::fromUtf8(GothicFace));
    QFont::insertSubstitutions(QString::fromUtf8(GothicFace), Gothics);
    // The brush face lacks some glyphs; the Gothic fills them in.
    QStringList Brushes = {QStringLiteral("AoyagiKouzanFontT")};
    Brushes << Gothics;
    QFont::removeSubstitutions(QString::fromUtf8(BrushFace));
    QFont::insertSubstitutions(QString::fromUtf8(BrushFace), Brushes);
}

} // namespace kumoji
