#pragma once

class QWidget;

namespace velmarin {

// Shows the modal about box ("&?" and the toolbar's last button).
void ShowAboutBox(QWidget* parent);

}  // namespace velmarin
