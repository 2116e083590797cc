#pragma once

// The About box: the program's name, version and credits, closed by OK, Enter, Escape or its
// close box. It binds nothing and changes nothing.

#include <QDialog>

namespace zerkan {

class AboutDialog final : public QDialog {
    Q_OBJECT

  public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

}  // namespace zerkan
