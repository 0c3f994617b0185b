#include "qt/window/CAboutDlg.h"

#include <QApplication>
#include <QFile>
#include <QFontMetrics>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

#include "core/app/version_text.h"
#include "qt/window/CHyperLink.h"
#include "qt/window/about_box.h"

namespace velmarin {

namespace {

// The box is laid out in dialog units: a quarter of the font's average
// character width across, an eighth of its height down.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font) {
        const QFontMetrics metrics(font);
        const QString alphabet =
            QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
        baseX = (metrics.horizontalAdvance(alphabet) / 26 + 1) / 2;
        baseY = metrics.height();
    }
    QRect Rect(int x, int y, int w, int h) const {
        return {X(x), Y(y), X(x + w) - X(x), Y(y + h) - Y(y)};
    }
    int X(int units) const { return units * baseX / 4; }
    int Y(int units) const { return units * baseY / 8; }

private:
    int baseX = 1;
    int baseY = 1;
};

QIcon ProgramIcon() {
    const QString resource = QStringLiteral(":/icons/velmarin.svg");
    if (QFile::exists(resource)) return QIcon(resource);
    return QApplication::windowIcon();
}

QLabel* AddText(QWidget* dialog, const QString& text, const QRect& box) {
    auto* label = new QLabel(text, dialog);
    label->setTextFormat(Qt::PlainText);  // "&" and markup are shown as they are
    label->setGeometry(box);
    return label;
}

}  // namespace

CAboutDlg::CAboutDlg(const QString& versionText, const QString& buildText, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      copyrightLine(QStringLiteral("Copyright © ") + buildText),
      versionLine(QStringLiteral("Velmarin Version ") + versionText) {
    setWindowTitle(tr("Info über Velmarin"));
    setModal(true);
    setFont(QFont(QStringLiteral("MS Sans Serif"), 10));
    const DialogUnits units(font());

    auto* icon = new QLabel(this);
    const QRect iconBox = units.Rect(13, 7, 14, 13);
    const int iconSide = std::max(iconBox.width(), iconBox.height());
    icon->setPixmap(ProgramIcon().pixmap(iconSide, iconSide));
    icon->setGeometry(iconBox.x(), iconBox.y(), iconSide, iconSide);

    AddText(this, versionLine, units.Rect(40, 10, 119, 8))->setObjectName("versionLine");
    AddText(this, QString::fromUtf8(kMakerName), units.Rect(40, 21, 119, 8));
    link = new CHyperLink(QString::fromUtf8(kMakerAddress), this);
    link->setGeometry(units.Rect(41, 32, 114, 10));
    link->FitToText();
    AddText(this, copyrightLine, units.Rect(40, 48, 119, 8))->setObjectName("copyrightLine");

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    ok->setAutoDefault(true);
    ok->setGeometry(units.Rect(178, 7, 50, 14));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    setFixedSize(units.X(235), units.Y(63));
}

void ShowAboutBox(QWidget* parent) {
    const VersionTexts texts = ReadVersionInfo();
    CAboutDlg box(QString::fromStdString(texts.versionText),
                  QString::fromStdString(texts.buildText), parent);
    box.exec();
}

}  // namespace velmarin
