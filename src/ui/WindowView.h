#pragma once

#include "host/Controls.h"
#include "host/Grid.h"
#include "host/Window.h"
#include "lines/PosicionVentana.h"
#include "ui/DateBox.h"
#include "ui/GridView.h"
#include "ui/LookupBox.h"
#include "ui/QtShell.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QHBoxLayout;
class QPlainTextEdit;
class QVBoxLayout;

namespace suite {
class Configuracion;
}

namespace ui {

// The per-user settings store the views keep column widths in; the default store unless set.
suite::Configuracion &AjustesVistas();
void UsarAjustesVistas(std::shared_ptr<suite::Configuracion> ajustes);

// Puts a window where the user last left it; nothing when no position was ever saved.
void AplicarPosicion(QWidget *ventana, const lines::PosicionVentana &posicion);
// The window's place as the settings keep it: frame position, client size, in twips.
lines::PosicionVentana PosicionDe(const QWidget *ventana);

// What a grid forwards to its controller; an empty handler is not called.
struct GridHandlers {
    std::function<void(int row, int col)> click{};
    std::function<void(int row)> rowChange{};
    std::function<void()> space{}, dblClick{}, enter{}, upAtTop{};
    // The box over the tick column's header and what its click runs.
    host::CheckField *header = nullptr;
    std::function<void()> headerClick{};
};

// Base of every window's view. The view declares its widgets bound to the controller's fields; the
// base draws every field after each action, writes user input back into the fields and runs every
// user action the same way: position saved, pending input handed over, controller called, window
// closed when the controller unloaded, else everything redrawn. Escape and the function keys go to
// the controller; a control name finds its widget for the shell's focus requests.
class WindowView : public QDialog, public View {
    Q_OBJECT
  public:
    using Handler = std::function<void()>;

    ~WindowView() override;
    QWidget *Widget() override { return this; }
    void Refresh() override;
    QWidget *ControlWidget(const std::string &name) override;
    // Runs one user action; ignored while the view redraws, so that widgets' own signals never
    // reach the controller.
    void Run(const Handler &action);

  protected:
    // Escape runs the controller's Form_KeyDown_Escape.
    template <class W>
    WindowView(W &window, QWidget *parent) : WindowView(window, [&window] { window.Form_KeyDown_Escape(); }, parent) {}
    WindowView(host::Window &window, Handler escape, QWidget *parent);

    QLabel *Label(const host::Control &control);
    QLabel *Label(const char *text);
    QLineEdit *Text(host::TextField &field, Handler change = {}, Handler enter = {});
    // A text box of several lines: Enter breaks the line, Tab leaves the box. Disabled, it stays
    // readable and scrollable, read-only.
    QPlainTextEdit *MultiLine(host::TextField &field, int lines);
    DateBox *Date(host::DateField &field, Handler change = {}, Handler enter = {});
    LookupBox *Lookup(host::LookupField &field, bool numeric, int characters, LookupBox::Buscar search,
                      Handler change = {}, Handler enter = {});
    QCheckBox *Check(host::CheckField &field, Handler click = {});
    QRadioButton *Option(host::CheckField &field);
    QComboBox *Combo(host::ComboField &field, Handler click = {});
    QPushButton *Button(host::Button &button, Handler click);
    QGroupBox *Frame(const host::Control &control);
    // `elastic`: the columns that share the room left over, with their percentages.
    GridView *Grid(host::Grid &grid, const std::string &name, GridHandlers handlers,
                   std::vector<std::pair<int, int>> elastic = {});
    // A row of buttons: `left`, a stretch, `right`.
    QHBoxLayout *ButtonRow(std::initializer_list<QPushButton *> left, std::initializer_list<QPushButton *> right);
    // A key that runs a controller action wherever the focus is.
    void Key(int key, Handler action);
    // The window's title follows this text of the controller.
    void Caption(const std::string &caption) { caption_ = &caption; }
    // The window's place is restored from and kept in `position`.
    void KeepPosition(lines::PosicionVentana &position);
    // A first size wide enough for the grid's columns (a kept position wins).
    void FitToGrid(GridView *grid, int minWidth, int height);
    // Where the focus goes when the window shows.
    void FirstFocus(std::function<QWidget *()> focus) { firstFocus_ = std::move(focus); }
    // What a window draws of its own after the bound widgets.
    virtual void Redraw() {}
    // Fits the dialog to its contents when `shape`, a summary of what shows, changed since last time.
    void FitWhenChanged(int shape);

    void reject() override;
    void keyPressEvent(QKeyEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

    QVBoxLayout *root_;

  private:
    struct Binding {
        std::string name;
        QWidget *focus;
        Handler show;
        // Input the field does not hold yet (a code typed without leaving its box).
        Handler commit;
    };
    // Registers `focus` under `name` for focus requests; `show` draws the widget, `commit` hands over.
    void Bind(const std::string &name, QWidget *focus, Handler show, Handler commit = {});
    void SavePosition();

    host::Window &window_;
    Handler escape_;
    std::vector<Binding> bindings_;
    std::map<int, Handler> keys_;
    const std::string *caption_ = nullptr;
    lines::PosicionVentana *position_ = nullptr;
    bool restored_ = false;
    std::function<QWidget *()> firstFocus_;
    bool drawing_ = false;
    int shape_ = -1;
};

} // namespace ui
