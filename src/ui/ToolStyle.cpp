#include "ui/ToolStyle.h"

namespace lumaro {

QString toolControlsStyleSheet(const QString& assetsFolder) {
    QString sheet = QStringLiteral(R"(
QLabel { color: #0a2536; background: transparent; }
QLabel:disabled { color: #8a96a0; }

QGroupBox {
    color: #7a5418; font-weight: bold;
    border: 1px solid #c49646; border-radius: 6px;
    background: rgba(252, 249, 242, 150);
    margin-top: 9px; padding: 10px 6px 4px 6px;
}
QGroupBox::title {
    subcontrol-origin: margin; subcontrol-position: top left; left: 8px;
    padding: 0 4px; background: #fcf9f2; border: 1px solid #c49646; border-radius: 3px;
}
QGroupBox:disabled { color: #a08a64; }

QRadioButton, QCheckBox { color: #0a2536; background: transparent; spacing: 6px; }
QRadioButton:disabled, QCheckBox:disabled { color: #8a96a0; }
QRadioButton::indicator, QCheckBox::indicator {
    width: 14px; height: 14px; border: 1px solid #8a6a30;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #f4f6f8, stop:1 #c8d4de);
}
QRadioButton::indicator { border-radius: 8px; }
QCheckBox::indicator { border-radius: 3px; }
QRadioButton::indicator:hover, QCheckBox::indicator:hover {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fff6d6, stop:1 #e2be74);
}
QRadioButton::indicator:checked {
    background: qradialgradient(cx:0.5, cy:0.5, radius:0.5, fx:0.5, fy:0.5,
                                stop:0 #245c82, stop:0.5 #245c82, stop:0.62 #f4f6f8, stop:1 #c8d4de);
}
QCheckBox::indicator:checked { background: #245c82; border-color: #0e2c42; image: url(@CHECK@); }
QRadioButton::indicator:disabled, QCheckBox::indicator:disabled { border-color: #a8a49a; background: #dcdcd8; }
QRadioButton::indicator:checked:disabled {
    background: qradialgradient(cx:0.5, cy:0.5, radius:0.5, fx:0.5, fy:0.5,
                                stop:0 #8a9aa8, stop:0.5 #8a9aa8, stop:0.62 #e4e4e0, stop:1 #dcdcd8);
}
QCheckBox::indicator:checked:disabled { background: #8a9aa8; border-color: #a8a49a; }

QSlider::groove:horizontal {
    height: 6px; border: 1px solid #8a6a30; border-radius: 3px;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #a6b6c4, stop:1 #dde5ec);
}
QSlider::handle:horizontal {
    width: 14px; margin: -6px 0; border-radius: 8px; border: 1px solid #7a5418;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fff6d6, stop:0.5 #f6dea0, stop:1 #e2be74);
}
QSlider::handle:horizontal:hover { background: #f6dea0; }
QSlider::handle:horizontal:disabled { border-color: #a8a49a; background: #dcdcd8; }

QLineEdit, QSpinBox {
    color: #0a2536; background: #fcf9f2; border: 1px solid #c49646; border-radius: 4px;
    padding: 2px 4px; selection-background-color: #245c82; selection-color: white;
}
QLineEdit:focus, QSpinBox:focus { border-color: #245c82; }
QLineEdit:disabled, QSpinBox:disabled { color: #8a96a0; background: #e8e6e0; border-color: #c8bca4; }
QSpinBox { padding-right: 18px; }
QSpinBox::up-button, QSpinBox::down-button {
    subcontrol-origin: border; width: 16px; border-left: 1px solid #c49646;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #dee6ee, stop:1 #b8c8d6);
}
QSpinBox::up-button { subcontrol-position: top right; border-top-right-radius: 4px; }
QSpinBox::down-button { subcontrol-position: bottom right; border-bottom-right-radius: 4px; }
QSpinBox::up-button:hover, QSpinBox::down-button:hover { background: #f6dea0; }
QSpinBox::up-arrow { image: url(@UP@); width: 9px; height: 6px; }
QSpinBox::down-arrow { image: url(@DOWN@); width: 9px; height: 6px; }

QToolTip { color: #0a2536; background: #fcf9f2; border: 1px solid #c49646; }
)");
    sheet.replace(QStringLiteral("@CHECK@"), assetsFolder + QStringLiteral("/tool-check.png"));
    sheet.replace(QStringLiteral("@UP@"), assetsFolder + QStringLiteral("/tool-arrow-up.png"));
    sheet.replace(QStringLiteral("@DOWN@"), assetsFolder + QStringLiteral("/tool-arrow-down.png"));
    return sheet;
}

}  // namespace lumaro
