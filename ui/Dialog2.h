// The help dialog: four short texts on how to type an expression, and OK. Its widgets are
// built the first time it is shown, so the main window does not pay for it at start-up.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class CDialog2;
}

namespace quorbit1 {

class CDialog2 final : public QDialog {
    Q_OBJECT
public:
    explicit CDialog2(QWidget* parent = nullptr);
    ~CDialog2() override;

    // Shows the dialog modally, building it first if need be.
    int DoModal();

private:
    void Build();

    std::unique_ptr<Ui::CDialog2> m_ui;
};

}  // namespace quorbit1
