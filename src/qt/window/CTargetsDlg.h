#pragma once

#include <QDialog>
#include <QString>

#include "core/app/target_setting.h"

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace velmarin {

// "Ansicht → Ziele…": the observer's targets. The built-in Messier list is
// ticked on or off; CSV lists and MPC element files are opened (each read
// at once, so a bad line is said now and the file is not taken); a target
// is added by name, right ascension and declination (J2000, decimal or
// sexagesimal); a selected row is removed. "OK" hands back the whole list.
class CTargetsDlg : public QDialog {
    Q_OBJECT
public:
    explicit CTargetsDlg(const SavedTargets& targets, QWidget* parent = nullptr);

    const SavedTargets& targets() const { return targets_; }

    QCheckBox* messierControl() const { return messier_; }
    QListWidget* listControl() const { return list_; }
    QLineEdit* nameControl() const { return name_; }
    QLineEdit* raControl() const { return ra_; }
    QLineEdit* decControl() const { return dec_; }
    QPushButton* addButton() const { return add_; }
    QPushButton* removeButton() const { return remove_; }

    // Takes the file as a CSV list (a name ending in ".csv") or as MPC
    // elements (any other), trying the other kind when the first does not
    // read. False, with the reason in a message box, when neither does.
    bool OpenFile(const QString& path);
    // Adds the target typed into the three fields; false, with the reason in
    // a message box, when one of them cannot be read.
    bool AddTyped();

private:
    void OnOpen();
    void OnRemove();
    void OnMessierToggled(bool on);
    // The rows from targets_: files first, then the targets added by hand.
    void Refill();

    SavedTargets targets_;
    QCheckBox* messier_ = nullptr;
    QListWidget* list_ = nullptr;
    QLineEdit* name_ = nullptr;
    QLineEdit* ra_ = nullptr;
    QLineEdit* dec_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* remove_ = nullptr;
};

}  // namespace velmarin
