#pragma once

#include <QLineEdit>

#include <string>

namespace ui {

// The suite's masked date box, day first ("##/##/####"). Its text is empty while no digit is typed.
// Enter is always reported, whatever was typed, so that the controller judges the date; F4 or the
// arrow opens a calendar.
class DateBox : public QLineEdit {
    Q_OBJECT
  public:
    explicit DateBox(QWidget *parent = nullptr);
    std::string Texto() const;
    void Mostrar(const std::string &texto);
    // Opens the calendar under the box; a chosen day replaces the text as if typed.
    void AbrirCalendario();

  signals:
    // The user changed the date, by typing or in the calendar.
    void fechaEditada();

  protected:
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace ui
