#pragma once

#include "host/Informe.h"
#include "host/Reporte.h"

#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace host {

class Window;

enum class Icon { None, Critical, Warning, Information, Question };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };

struct FileFilter {
    std::string description; // "Ficheros de texto (*.txt)"
    std::string pattern;     // "*.txt"
};

struct TaskDialogOpciones {
    std::string title;
    std::string instruction; // may hold <TextBlock ...> mark-up
    std::string content;
    Icon icon = Icon::Information;
    std::vector<std::string> buttons;
};

// Everything a controller asks of the user. Qt, scripted (tests) and console (batch) versions exist.
class Shell {
  public:
    virtual ~Shell() = default;
    virtual Answer MsgBox(const std::string &text, const std::string &title, Icon icon,
                          Buttons buttons = Buttons::Ok, Answer defaultAnswer = Answer::Ok) = 0;
    // Shows another window modally; its results are read from its fields afterwards.
    virtual void ShowModal(Window &window) = 0;
    // Empty when cancelled.
    virtual std::string OpenFile(const std::string &title, const std::vector<FileFilter> &filters,
                                 const std::string &initialDir) = 0;
    virtual std::string SaveFile(const std::string &title, const std::vector<FileFilter> &filters,
                                 const std::string &suggestedName) = 0;
    virtual void SetClipboard(const std::string &text) = 0;
    virtual int TaskDialog(const TaskDialogOpciones &dialogo) = 0;
    virtual void Progress(bool visible, const std::string &text) = 0;
    // Shows a document page (preview with print and PDF in the GUI).
    virtual void MostrarInforme(const Informe &informe) = 0;
    // Sends a laid-out report to its printer (the default one when it names none), without a dialog.
    virtual void ImprimirReporte(const Reporte &reporte);
    virtual void Focus(Window &window, const std::string &control) = 0;
    // Tells the view that the window's state changed and should be redrawn.
    virtual void Refresh(Window &window) = 0;
    // A pause inside a long operation; the Qt shell keeps its windows painted meanwhile.
    virtual void Esperar(int milisegundos) { std::this_thread::sleep_for(std::chrono::milliseconds(milisegundos)); }
};

} // namespace host
