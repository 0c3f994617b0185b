#pragma once

#include <QColor>
#include <QCursor>
#include <QFont>
#include <QLabel>
#include <QString>
#include <QUrl>

#include <functional>

namespace velmarin {

// A text label that behaves like a web link: link colours (not visited,
// visited, hover), underline on hover, a hand cursor, its address as the
// tooltip, a size fitted to its text, and a click that opens the address in
// the system's browser. A failure to open is reported in a message box.
class CHyperLink : public QLabel {
    Q_OBJECT
public:
    enum UnderlineMode { UnderlineNever = 0, UnderlineAlways = 1, UnderlineOnHover = -1 };

    // Opens an address; true on success. The default is QDesktopServices::openUrl.
    using UrlOpener = std::function<bool(const QUrl&)>;

    // text: shown and, while no address is set, used as the address.
    explicit CHyperLink(const QString& text = QString(), QWidget* parent = nullptr);

    QString GetUrl() const { return url; }
    void SetVisited(bool flag);
    bool GetVisited() const { return visited; }
    void SetUnderlineMode(int mode);
    void SetAutoSize(bool flag);
    void SetUrlOpener(UrlOpener opener) { urlOpener = std::move(opener); }

    // Text colour for the current state: hover over visited over not visited.
    QColor CurrentTextColour() const;
    // Grows or shrinks the label to its underlined text, keeping the edge or
    // centre its alignment names.
    void FitToText();

    // Tries to open the address: a code above 32 means success; a failure
    // to open is code 31 (no application associated).
    int OpenUrl(const QString& address) const;
    // "Unable to open hyperlink:\n\n" and the text for a failure code.
    static QString OpenErrorMessage(int code);
    // Beeps and shows OpenErrorMessage(code) in a warning box.
    void ReportOpenError(int code);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void ApplyState();
    void Clicked();

    const QColor linkColour{0, 0, 238};
    const QColor visitedColour{85, 26, 139};
    const QColor hoverColour{255, 0, 0};
    bool overControl = false;
    bool visited = false;
    int underlineMode = UnderlineOnHover;
    bool adjustToFit = true;
    QString url;
    QFont underlineFont;
    QFont standardFont;
    UrlOpener urlOpener;
    bool applyingState = false;
    // The second click of a double click has been seen: its release opens nothing.
    bool inDoubleClick = false;
};

}  // namespace velmarin
