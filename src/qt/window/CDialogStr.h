#pragma once

#include <QDialog>
#include <QString>
#include <optional>

class QLabel;
class QLineEdit;

namespace velmarin {

// The one-line prompt "Eingabe": a caption, a prompt of up to two lines, an
// edit field, "OK" and "Abbrechen". Each caller reads the answer itself.
class CDialogStr : public QDialog {
    Q_OBJECT
public:
    // Result codes of DoModal.
    static constexpr int kOk = 1;
    static constexpr int kCancel = 2;

    explicit CDialogStr(QWidget* parent = nullptr);

    // Caption, prompt (a line feed starts the second line) and, if given, the
    // initial text of the edit field. Call before DoModal.
    void SetTexts(const QString& caption, const QString& prompt,
                  const std::optional<QString>& initialValue = std::nullopt);

    // Runs the dialog modally: kOk for "OK" or Enter, kCancel for
    // "Abbrechen", Escape or the close box.
    int DoModal();

    // The entered text after "OK"; after a cancel, what it held before.
    QString GetValue() const { return value; }

    QLineEdit* editControl() const { return edit; }
    QLabel* promptControl() const { return promptLabel; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QString caption;
    QString value;
    QString prompt;
    QLabel* promptLabel = nullptr;
    QLineEdit* edit = nullptr;
};

// The typed text as a refusal message quotes it: trimmed, and cut to 40
// characters with "…" so that a pasted page cannot fill the screen.
QString PromptEcho(const QString& typed);

}  // namespace velmarin
