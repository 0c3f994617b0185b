#include "qt/window/CDialogStr.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace velmarin {

namespace {

// Dialog units: a quarter of the average character width across, an eighth
// of the character height down, so the layout follows the dialog's font.
struct DialogUnits {
    double x = 1.5;
    double y = 1.625;
    QRect Rect(int left, int top, int width, int height) const {
        return QRect(qRound(left * x), qRound(top * y), qRound(width * x), qRound(height * y));
    }
};

DialogUnits UnitsOf(const QFont& font) {
    const QFontMetrics metrics(font);
    const QString alphabet = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
    const double averageWidth = (metrics.horizontalAdvance(alphabet) / 26.0 + 1.0) / 2.0;
    return DialogUnits{averageWidth / 4.0, metrics.height() / 8.0};
}

}  // namespace

CDialogStr::CDialogStr(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Eingabe"));
    QFont dialogFont(QStringLiteral("MS Sans Serif"));
    dialogFont.setPointSize(8);
    setFont(dialogFont);
    const DialogUnits du = UnitsOf(font());

    // Children in tab order: edit, OK, Abbrechen, then the prompt text.
    edit = new QLineEdit(this);
    edit->setGeometry(du.Rect(27, 26, 78, 16));
    auto* okButton = new QPushButton(tr("OK"), this);
    okButton->setGeometry(du.Rect(7, 47, 50, 14));
    okButton->setDefault(true);
    auto* cancelButton = new QPushButton(tr("Abbrechen"), this);
    cancelButton->setGeometry(du.Rect(74, 47, 50, 14));
    promptLabel = new QLabel(tr("Static"), this);
    promptLabel->setGeometry(du.Rect(27, 7, 89, 19));
    promptLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    promptLabel->setTextFormat(Qt::PlainText);

    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    setFixedSize(du.Rect(0, 0, 131, 68).size());
    setModal(true);
}

void CDialogStr::SetTexts(const QString& newCaption, const QString& newPrompt,
                          const std::optional<QString>& initialValue) {
    caption = newCaption;
    prompt = newPrompt;
    if (initialValue) value = *initialValue;
}

int CDialogStr::DoModal() {
    promptLabel->setText(prompt);
    edit->setText(value);
    edit->selectAll();
    setWindowTitle(caption);
    const bool accepted = exec() == QDialog::Accepted;
    // Give the keyboard back to the owner: not every window manager does,
    // and the chart's keys (N, S, +, -, ...) must work right after a prompt.
    if (QWidget* owner = parentWidget()) owner->window()->activateWindow();
    if (!accepted) return kCancel;
    value = edit->text();
    return kOk;
}

QString PromptEcho(const QString& typed) {
    constexpr int kMaxEcho = 40;
    const QString trimmed = typed.trimmed();
    if (trimmed.size() <= kMaxEcho) return trimmed;
    return trimmed.left(kMaxEcho - 1) + QStringLiteral("…");
}

void CDialogStr::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    edit->setFocus(Qt::OtherFocusReason);
}

}  // namespace velmarin
