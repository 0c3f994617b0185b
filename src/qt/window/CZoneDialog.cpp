#include "qt/window/CZoneDialog.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimeZone>
#include <QVBoxLayout>

#include "core/ephemeris/civil_offsets.h"
#include "qt/zones/qt_zone_database.h"

namespace velmarin {

namespace {

constexpr int kZoneRole = Qt::UserRole;

// How a name is searched: "America/New_York" also answers to "new york".
QString Searchable(QString text) { return text.replace(QLatin1Char('_'), QLatin1Char(' ')); }

}  // namespace

CZoneDialog::CZoneDialog(const QString& current, QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Andere Zeitzone"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Zeitzone suchen:"), this));
    filter_ = new QLineEdit(this);
    filter_->setObjectName(QStringLiteral("zoneFilter"));
    filter_->setClearButtonEnabled(true);
    layout->addWidget(filter_);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("zoneList"));
    layout->addWidget(list_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("Abbrechen"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::itemActivated, this, &QDialog::accept);
    connect(filter_, &QLineEdit::textChanged, this, &CZoneDialog::ApplyFilter);

    const QDateTime now = QDateTime::currentDateTimeUtc();
    for (const QByteArray& id : QTimeZone::availableTimeZoneIds()) {
        // Qt also lists bare offsets such as "UTC+05:00": no zones of the database.
        if (!IsZoneNameShaped(std::string_view(id.constData(), static_cast<std::size_t>(id.size())))) continue;
        const QString name = QString::fromLatin1(id);
        auto* item = new QListWidgetItem(
            QStringLiteral("%1   (%2)").arg(name, UtcOffsetText(QTimeZone(id).offsetFromUtc(now))), list_);
        item->setData(kZoneRole, name);
        if (name == current) list_->setCurrentItem(item);
    }
    if (list_->currentItem() == nullptr && list_->count() > 0) list_->setCurrentRow(0);
    if (list_->currentItem() != nullptr) list_->scrollToItem(list_->currentItem());
    resize(420, 480);
    filter_->setFocus();
}

void CZoneDialog::ApplyFilter(const QString& text) {
    const QString wanted = Searchable(text.trimmed());
    QListWidgetItem* first = nullptr;
    for (int row = 0; row < list_->count(); ++row) {
        QListWidgetItem* item = list_->item(row);
        const bool shown = Searchable(item->data(kZoneRole).toString()).contains(wanted, Qt::CaseInsensitive);
        item->setHidden(!shown);
        if (shown && first == nullptr) first = item;
    }
    // The highlight follows the search unless it is still among the hits.
    QListWidgetItem* current = list_->currentItem();
    if (current == nullptr || current->isHidden()) list_->setCurrentItem(first);
    if (list_->currentItem() != nullptr) list_->scrollToItem(list_->currentItem());
}

QString CZoneDialog::selectedZone() const {
    const QListWidgetItem* item = list_->currentItem();
    if (item == nullptr || item->isHidden()) return {};
    return item->data(kZoneRole).toString();
}

}  // namespace velmarin
