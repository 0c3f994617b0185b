#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;
class QListWidget;

namespace velmarin {

// "Andere Zeitzone…": every zone of the system's zone database with its
// offset from UTC now, narrowed down as the user types ("Syd" leaves
// Australia/Sydney). Enter or "OK" takes the highlighted zone.
class CZoneDialog : public QDialog {
    Q_OBJECT
public:
    // current: the zone to highlight at first (may be empty).
    explicit CZoneDialog(const QString& current, QWidget* parent = nullptr);

    // The highlighted zone's name; empty when none is visible.
    QString selectedZone() const;

    QLineEdit* filterControl() const { return filter_; }
    QListWidget* listControl() const { return list_; }

private:
    // Shows only the zones whose name holds text (case ignored, '_' read as a blank).
    void ApplyFilter(const QString& text);

    QLineEdit* filter_ = nullptr;
    QListWidget* list_ = nullptr;
};

}  // namespace velmarin
