// The explanation's text: numbered lines on a translucent dark panel, readable over a picture.
#pragma once

#include <QLabel>
#include <string>
#include <vector>

namespace kumoji {

// Hidden while it has no lines. Each line's Japanese and its English gloss
// (split at the first two spaces) are set one under the other.
class TExplainPanel : public QLabel {
    Q_OBJECT

public:
    explicit TExplainPanel(QWidget* Parent);

    // The panel sits at Area's top-left, as wide as Area and at most as tall:
    // a long text is set in a smaller face rather than cut off.
    void SetArea(const QRect& Area);
    // The window's scale: the faces, gaps and the veil's edge follow it.
    void SetScale(double Value);
    void SetLines(std::vector<std::string> Lines);
    void Clear() { SetLines({}); }
    const std::vector<std::string>& Lines() const { return FLines; }

private:
    void Fit();

    double FScale = 1.0;
    QRect FArea;
    std::vector<std::string> FLines;
};

} // namespace kumoji
