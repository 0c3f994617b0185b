#include "qt/window/CTargetsDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "core/ephemeris/fixed_numbers.h"
#include "core/targets/messier_list.h"
#include "core/targets/sexagesimal.h"
#include "core/text/text_catalogue.h"

namespace velmarin {

namespace {

constexpr double kPiExact = fixed::kExactPi;
// Which entry of targets_ a row stands for.
constexpr int kKindRole = Qt::UserRole;
constexpr int kIndexRole = Qt::UserRole + 1;
enum RowKind { kListRow = 0, kElementsRow = 1, kOwnRow = 2 };

// How many targets a source holds; nullopt with the reason when it cannot be read.
std::variant<std::size_t, std::string> CountOf(const TargetSources& sources) {
    auto loaded = LoadTargets(sources);
    if (!loaded) return loaded.error();
    return loaded->size();
}

QString PlaceText(const FixedTarget& t) {
    const double hours = t.ra / kPiExact * 12.0;
    const double degrees = t.dec / kPiExact * 180.0;
    return QStringLiteral("%1 h  %2°").arg(hours, 0, 'f', 4).arg(degrees, 0, 'f', 3);
}

// A name fit for one line of the settings file: no control characters.
QString OneLineName(const QString& typed) {
    QString name;
    for (const QChar c : typed) name += c.isPrint() ? c : QLatin1Char(' ');
    return name.simplified();
}

}  // namespace

CTargetsDlg::CTargetsDlg(const SavedTargets& targets, const ChartBodies& bodies, QWidget* parent)
    : QDialog(parent), targets_(targets), bodies_(bodies) {
    setWindowTitle(tr("Ziele"));
    auto* outer = new QVBoxLayout(this);
    auto* columns = new QHBoxLayout;
    outer->addLayout(columns);
    auto* layout = new QVBoxLayout;
    columns->addLayout(layout, 3);
    messier_ = new QCheckBox(tr("Messier-Katalog (M1–M110)"), this);
    messier_->setObjectName(QStringLiteral("messier"));
    const auto& lists = targets_.sources.lists;
    messier_->setChecked(std::find(lists.begin(), lists.end(), kMessierListName) != lists.end());
    layout->addWidget(messier_);

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("targetList"));
    layout->addWidget(list_);
    auto* fileButtons = new QHBoxLayout;
    auto* open = new QPushButton(tr("Datei öffnen…"), this);
    open->setObjectName(QStringLiteral("open"));
    remove_ = new QPushButton(tr("Entfernen"), this);
    remove_->setObjectName(QStringLiteral("remove"));
    fileButtons->addWidget(open);
    fileButtons->addWidget(remove_);
    fileButtons->addStretch();
    layout->addLayout(fileButtons);

    layout->addWidget(new QLabel(tr("Neues Ziel (J2000):"), this));
    auto* form = new QFormLayout;
    name_ = new QLineEdit(this);
    ra_ = new QLineEdit(this);
    ra_->setPlaceholderText(tr("Stunden, z. B. 0:42:44.3 oder 0.7123"));
    dec_ = new QLineEdit(this);
    dec_->setPlaceholderText(tr("Grad, z. B. +41:16:09 oder 41.269"));
    form->addRow(tr("Name:"), name_);
    form->addRow(tr("Rektaszension:"), ra_);
    form->addRow(tr("Deklination:"), dec_);
    layout->addLayout(form);
    add_ = new QPushButton(tr("Hinzufügen"), this);
    add_->setObjectName(QStringLiteral("add"));
    add_->setAutoDefault(false);
    layout->addWidget(add_, 0, Qt::AlignRight);

    auto* shownColumn = new QVBoxLayout;
    columns->addLayout(shownColumn, 2);
    shownColumn->addWidget(new QLabel(tr("Auf der Karte:"), this));
    shown_ = new QListWidget(this);
    shown_->setObjectName(QStringLiteral("shownList"));
    shownColumn->addWidget(shown_);
    auto* shownButtons = new QHBoxLayout;
    showAll_ = new QPushButton(tr("Alle"), this);
    showAll_->setObjectName(QStringLiteral("showAll"));
    showAll_->setAutoDefault(false);
    showNone_ = new QPushButton(tr("Keine"), this);
    showNone_->setObjectName(QStringLiteral("showNone"));
    showNone_->setAutoDefault(false);
    shownButtons->addWidget(showAll_);
    shownButtons->addWidget(showNone_);
    shownButtons->addStretch();
    shownColumn->addLayout(shownButtons);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("Abbrechen"));
    outer->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(open, &QPushButton::clicked, this, &CTargetsDlg::OnOpen);
    connect(remove_, &QPushButton::clicked, this, &CTargetsDlg::OnRemove);
    connect(add_, &QPushButton::clicked, this, [this] { AddTyped(); });
    connect(messier_, &QCheckBox::toggled, this, &CTargetsDlg::OnMessierToggled);
    connect(shown_, &QListWidget::itemChanged, this, &CTargetsDlg::OnShownChanged);
    connect(showAll_, &QPushButton::clicked, this, [this] { ShowEvery(true); });
    connect(showNone_, &QPushButton::clicked, this, [this] { ShowEvery(false); });
    Refill();
    resize(720, 560);
}

void CTargetsDlg::RefillShown() {
    const QSignalBlocker quiet(shown_);
    shown_->clear();
    const auto addRow = [this](const QString& text, bool on, int body) {
        auto* item = new QListWidgetItem(text, shown_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
        item->setData(kIndexRole, body);
    };
    for (const BodyId body : kAllBodies) {
        const int index = IndexOf(body);
        const bool on = body == BodyId::kMoon ? bodies_.moon : bodies_.shown[index];
        addRow(QString::fromUtf8(Text(BodyNameId(body))), on, index);
    }
    // Targets by name: a file the dialog cannot read now adds no rows, and
    // what was hidden of it stays hidden.
    const std::vector<Target> all = LoadSavedTargets(targets_).targets;
    const auto& hidden = targets_.hidden;
    for (const Target& target : all) {
        const std::string& name = TargetName(target);
        addRow(QString::fromStdString(name), std::find(hidden.begin(), hidden.end(), name) == hidden.end(), -1);
    }
}

void CTargetsDlg::OnShownChanged(QListWidgetItem* item) {
    const bool on = item->checkState() == Qt::Checked;
    const int body = item->data(kIndexRole).toInt();
    if (body == IndexOf(BodyId::kMoon)) {
        bodies_.moon = on;
    } else if (body >= 0) {
        bodies_.shown[body] = on;
    } else {
        auto& hidden = targets_.hidden;
        const std::string name = item->text().toStdString();
        hidden.erase(std::remove(hidden.begin(), hidden.end(), name), hidden.end());
        if (!on) hidden.push_back(name);
    }
}

void CTargetsDlg::ShowEvery(bool on) {
    for (int row = 0; row < shown_->count(); ++row)
        shown_->item(row)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
}

void CTargetsDlg::Refill() {
    list_->clear();
    const auto addRow = [this](const QString& text, int kind, int index) {
        auto* item = new QListWidgetItem(text, list_);
        item->setData(kKindRole, kind);
        item->setData(kIndexRole, index);
    };
    for (std::size_t i = 0; i < targets_.sources.lists.size(); ++i) {
        const std::string& list = targets_.sources.lists[i];
        if (list == kMessierListName) continue;  // the box above stands for it
        addRow(tr("Liste: %1").arg(QString::fromStdString(list)), kListRow, static_cast<int>(i));
    }
    for (std::size_t i = 0; i < targets_.sources.elements.size(); ++i) {
        addRow(tr("Bahnelemente: %1").arg(QString::fromStdString(targets_.sources.elements[i])), kElementsRow,
               static_cast<int>(i));
    }
    for (std::size_t i = 0; i < targets_.own.size(); ++i) {
        const FixedTarget& t = targets_.own[i];
        addRow(QStringLiteral("%1   %2").arg(QString::fromStdString(t.name), PlaceText(t)), kOwnRow,
               static_cast<int>(i));
    }
    remove_->setEnabled(list_->count() > 0);
    if (list_->count() > 0) list_->setCurrentRow(list_->count() - 1);
    RefillShown();
}

void CTargetsDlg::OnMessierToggled(bool on) {
    auto& lists = targets_.sources.lists;
    lists.erase(std::remove(lists.begin(), lists.end(), std::string(kMessierListName)), lists.end());
    if (on) lists.insert(lists.begin(), kMessierListName);
    RefillShown();
}

void CTargetsDlg::OnOpen() {
    const QString path = QFileDialog::getOpenFileName(
        this, tr("Ziele öffnen"), QString(),
        tr("Ziellisten (*.csv);;Bahnelemente des MPC (*.txt *.dat);;Alle Dateien (*)"));
    if (!path.isEmpty()) OpenFile(path);
}

bool CTargetsDlg::OpenFile(const QString& path) {
    const std::string file = path.toStdString();
    const TargetSources asList{{file}, {}};
    const TargetSources asElements{{}, {file}};
    const bool csv = path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive);
    const TargetSources& first = csv ? asList : asElements;
    const TargetSources& second = csv ? asElements : asList;
    auto counted = CountOf(first);
    const TargetSources* taken = &first;
    if (std::holds_alternative<std::string>(counted) && std::holds_alternative<std::size_t>(CountOf(second))) {
        counted = CountOf(second);
        taken = &second;
    }
    if (const auto* problem = std::get_if<std::string>(&counted)) {
        QMessageBox::warning(this, tr("Ziele"), QString::fromStdString(*problem));
        return false;
    }
    auto& into = taken == &asList ? targets_.sources.lists : targets_.sources.elements;
    if (std::find(into.begin(), into.end(), file) == into.end()) into.push_back(file);
    Refill();
    return true;
}

bool CTargetsDlg::AddTyped() {
    const QString name = OneLineName(name_->text());
    const std::optional<double> hours = ParseSexagesimal(ra_->text().toStdString());
    const std::optional<double> degrees = ParseSexagesimal(dec_->text().toStdString());
    QString problem;
    if (name.isEmpty()) {
        problem = tr("Das Ziel braucht einen Namen.");
    } else if (!hours || *hours < 0.0 || *hours >= 24.0) {
        problem = tr("Die Rektaszension ist in Stunden von 0 bis unter 24 anzugeben.");
    } else if (!degrees || *degrees < -90.0 || *degrees > 90.0) {
        problem = tr("Die Deklination ist in Grad von −90 bis +90 anzugeben.");
    }
    if (!problem.isEmpty()) {
        QMessageBox::warning(this, tr("Ziele"), problem);
        return false;
    }
    FixedTarget target;
    target.name = name.toStdString();
    target.ra = *hours / 12.0 * kPiExact;
    target.dec = *degrees / 180.0 * kPiExact;
    targets_.own.push_back(target);
    name_->clear();
    ra_->clear();
    dec_->clear();
    Refill();
    return true;
}

void CTargetsDlg::OnRemove() {
    const QListWidgetItem* item = list_->currentItem();
    if (item == nullptr) return;
    const auto index = static_cast<std::size_t>(item->data(kIndexRole).toInt());
    switch (item->data(kKindRole).toInt()) {
        case kListRow: targets_.sources.lists.erase(targets_.sources.lists.begin() + static_cast<long>(index)); break;
        case kElementsRow:
            targets_.sources.elements.erase(targets_.sources.elements.begin() + static_cast<long>(index));
            break;
        default: targets_.own.erase(targets_.own.begin() + static_cast<long>(index)); break;
    }
    Refill();
}

}  // namespace velmarin
