// "Variables": sets what the letters X, Y, Z and T stand for, for the rest of the run. A field
// that does not hold a number is refused with a message here, and nothing changes.
#pragma once

#include <QDialog>
#include <array>

class QLabel;
class QLineEdit;

namespace quorbit1 {

class CVariablesDlg final : public QDialog {
    Q_OBJECT
public:
    explicit CVariablesDlg(const std::array<double, 4>& values, QWidget* parent = nullptr);

    // The values after OK.
    const std::array<double, 4>& Values() const { return m_values; }

    void accept() override;

private:
    std::array<QLineEdit*, 4> m_fields{};
    QLabel* m_message = nullptr;
    std::array<double, 4> m_values{};
};

}  // namespace quorbit1
