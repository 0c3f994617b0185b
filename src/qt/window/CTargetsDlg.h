#pragma once

#include <QDialog>
#include <QString>

#include "core/app/target_setting.h"
#include "core/chart/shown_bodies.h"

class QCheckBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace velmarin {

// The bodies the chart draws, as the dialog shows them.
struct ChartBodies {
    BodySelection shown = kAllBodiesShown;  // the Sun .. Neptune
    bool moon = true;                       // "mit Mond"
    bool operator==(const ChartBodies&) const = default;
};

// "Ansicht → Ziele…": the observer's targets. The built-in Messier list is
// ticked on or off; CSV lists and MPC element files are opened (each read
// at once, so a bad line is said now and the file is not taken); a target
// is added by name, right ascension and declination (J2000, decimal or
// sexagesimal); a selected row is removed. Beside them, "Auf der Karte"
// ticks which bodies and which targets the chart draws. "OK" hands back the
// whole list and the choice.
class CTargetsDlg : public QDialog {
    Q_OBJECT
public:
    explicit CTargetsDlg(const SavedTargets& targets, const ChartBodies& bodies = {}, QWidget* parent = nullptr);

    const SavedTargets& targets() const { return targets_; }
    const ChartBodies& bodies() const { return bodies_; }

    QCheckBox* messierControl() const { return messier_; }
    QListWidget* listControl() const { return list_; }
    QLineEdit* nameControl() const { return name_; }
    QLineEdit* raControl() const { return ra_; }
    QLineEdit* decControl() const { return dec_; }
    QPushButton* addButton() const { return add_; }
    QPushButton* removeButton() const { return remove_; }
    // One checkable row per body (the Sun .. Neptune, the Moon), then one
    // per target of the list, named as on the chart.
    QListWidget* shownControl() const { return shown_; }
    QPushButton* showAllButton() const { return showAll_; }
    QPushButton* showNoneButton() const { return showNone_; }

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
    void OnShownChanged(QListWidgetItem* item);
    void ShowEvery(bool on);
    // The rows from targets_: files first, then the targets added by hand;
    // and the rows of what the chart draws.
    void Refill();
    void RefillShown();

    SavedTargets targets_;
    ChartBodies bodies_;
    QCheckBox* messier_ = nullptr;
    QListWidget* list_ = nullptr;
    QLineEdit* name_ = nullptr;
    QLineEdit* ra_ = nullptr;
    QLineEdit* dec_ = nullptr;
    QPushButton* add_ = nullptr;
    QPushButton* remove_ = nullptr;
    QListWidget* shown_ = nullptr;
    QPushButton* showAll_ = nullptr;
    QPushButton* showNone_ = nullptr;
};

}  // namespace velmarin
