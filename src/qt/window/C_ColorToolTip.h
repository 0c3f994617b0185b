#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace velmarin {

// A small frameless pop-up that shows a text of one or more lines ("|"
// separates them) on a coloured background with a one-pixel frame, just
// above and to the right of a screen point. It never takes the focus and
// never activates, so the window under the pointer keeps its input.
class C_ColorToolTip : public QWidget {
    Q_OBJECT
public:
    // The most lines one text may hold; further lines are dropped.
    static constexpr int maxLines = 20;

    // owner: the widget the tooltip belongs to (it is destroyed with it); may be null.
    explicit C_ColorToolTip(QWidget* owner = nullptr);

    // Places the window 3 pixels right of and above (x, y) (global logical
    // coordinates, usually the pointer), sizes it to the text and shows it
    // without activating it. Repeated calls move and repaint it.
    void ShowText(int x, int y, const QString& text);
    // Hides the window if it is shown.
    void Hide();

    bool IsShown() const { return shown; }
    QString Text() const { return text; }

    // The lines a text is drawn in: cut at every "|" (empty pieces are empty
    // lines), at most maxLines of them.
    static QStringList SplitLines(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    // Where the window system still hands the pointer to the tooltip, its
    // moves, presses and the leave go on to the owner, as if it were not there.
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    bool shown = false;
    int left = 0;
    int top = 0;
    QString text;
    QFont tipFont;  // made once; Qt widgets have a font() of their own
    const QColor backgroundColour{249, 249, 238};
    const QColor textColour{0, 0, 0};
    const QColor borderColour{155, 110, 53};
};

}  // namespace velmarin
