// "Variables": sets what the letters X, Y, Z and T stand for, for the rest of the run. A field
// that does not hold a number is refused with a message here, and nothing changes.
#pragma once

#include <QDialog>
#include <array>

#include "Calculator.h"

class QLabel;
class QLineEdit;

namespace quorbit1 {

class CVariablesDlg final : public QDialog {
    Q_OBJECT
public:
    explicit CVariablesDlg(const SlotValues& values, QWidget* parent = nullptr);

    // The values after OK.
    const SlotValues& Values() const { return m_values; }

    void accept() override;

private:
    std::array<QLineEdit*, kSlotCount> m_fields{};
    QLabel* m_message = nullptr;
    SlotValues m_values{};
};

}  // namespace quorbit1
