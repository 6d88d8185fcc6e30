#pragma once

#include <QLineEdit>

#include <string>

namespace ui {

// The suite's masked date box, "##/##/####": its text is empty while no digit is typed.
class LineasDateBox : public QLineEdit {
    Q_OBJECT
  public:
    explicit LineasDateBox(QWidget *parent = nullptr);
    std::string Texto() const;
    void Mostrar(const std::string &texto);
};

} // namespace ui
