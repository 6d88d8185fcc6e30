#pragma once

#include "host/Shell.h"

#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <string>

class QLabel;

namespace ui {

// A view of one window: a Qt dialog drawn from the controller's state.
class View {
  public:
    virtual ~View() = default;
    virtual QWidget *Widget() = 0;
    // Redraws from the controller's state.
    virtual void Refresh() = 0;
    // The widget of a named control, for the focus.
    virtual QWidget *ControlWidget(const std::string &name) = 0;
};

using ViewFactory = std::function<std::unique_ptr<View>(host::Window &, host::Shell &, QWidget *parent)>;

// The Qt shell: message boxes, modal views found by the window's class name, file dialogs,
// clipboard, task dialog with mark-up, the single progress window and the document preview.
// File-dialog filters as Qt writes them: "Description (patterns)" joined by ";;".
QString FilterText(const std::vector<host::FileFilter> &filters);

class QtShell : public host::Shell {
  public:
    QtShell();
    ~QtShell() override;
    static void Register(const std::string &className, ViewFactory factory);

    host::Answer MsgBox(const std::string &text, const std::string &title, host::Icon icon, host::Buttons buttons,
                        host::Answer defaultAnswer) override;
    void ShowModal(host::Window &window) override;
    std::string OpenFile(const std::string &title, const std::vector<host::FileFilter> &filters,
                         const std::string &initialDir) override;
    std::string SaveFile(const std::string &title, const std::vector<host::FileFilter> &filters,
                         const std::string &suggestedName) override;
    void SetClipboard(const std::string &text) override;
    int TaskDialog(const host::TaskDialogOpciones &dialogo) override;
    void Progress(bool visible, const std::string &text) override;
    // A modal preview of the page, with printing and saving as PDF.
    void MostrarInforme(const host::Informe &informe) override;
    void ImprimirReporte(const host::Reporte &reporte) override;
    void Focus(host::Window &window, const std::string &control) override;
    void Refresh(host::Window &window) override;
    void Esperar(int milisegundos) override;

    // Opens a modeless top-level view (the first window of the program).
    View *ShowTop(host::Window &window);

  private:
    View *Find(host::Window &window);
    static std::map<std::string, ViewFactory> &Factories();
    std::map<host::Window *, View *> open_;
    std::unique_ptr<View> top_;
    std::unique_ptr<QWidget> progress_;
    QLabel *progressLabel_ = nullptr;
};

} // namespace ui
