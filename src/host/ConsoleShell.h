#pragma once

#include "host/Shell.h"

#include <deque>
#include <functional>
#include <iosfwd>
#include <map>
#include <string>

namespace host {

// Batch shell: every message is one line "icon|title|text" on the error stream; questions are
// answered No unless the command said --yes; dialogs take their values from the command's options.
class ConsoleShell : public Shell {
  public:
    ConsoleShell(std::ostream &err, bool yes) : err_(err), yes_(yes) {}
    std::deque<std::string> openFiles;
    std::deque<std::string> saveFiles;
    std::map<std::string, std::function<void(Window &)>> handlers;
    int messagesShown = 0;
    int warningsShown = 0; // warnings and critical messages, so that a command can exit non-zero

    Answer MsgBox(const std::string &text, const std::string &title, Icon icon, Buttons buttons,
                  Answer defaultAnswer) override;
    void ShowModal(Window &window) override;
    std::string OpenFile(const std::string &title, const std::vector<FileFilter> &filters,
                         const std::string &initialDir) override;
    std::string SaveFile(const std::string &title, const std::vector<FileFilter> &filters,
                         const std::string &suggestedName) override;
    void SetClipboard(const std::string &) override {}
    int TaskDialog(const TaskDialogOpciones &dialogo) override;
    void Progress(bool, const std::string &) override {}
    // Written to standard output as text.
    void MostrarInforme(const Informe &informe) override;
    // Where a printed report goes: set by the program, which can paint it (a printer, a PDF).
    std::function<void(const Reporte &)> alImprimir;
    void ImprimirReporte(const Reporte &reporte) override;
    void Focus(Window &, const std::string &) override {}
    void Refresh(Window &) override {}

    // Line breaks and tabs escaped, so that one message stays one line.
    static std::string OneLine(const std::string &text);

  private:
    void Print(Icon icon, const std::string &title, const std::string &text);
    std::ostream &err_;
    bool yes_;
};

} // namespace host
