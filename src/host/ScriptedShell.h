#pragma once

#include "host/Shell.h"

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace host {

// Test shell: records what the user would see and answers from a script.
class ScriptedShell : public Shell {
  public:
    struct Message {
        std::string text, title;
        Icon icon;
        Buttons buttons;
    };

    std::vector<Message> messages;
    std::vector<TaskDialogOpciones> taskDialogs;
    std::vector<std::string> progress; // texts shown, "" for each hide
    std::vector<std::string> focus;    // "Class.control"
    std::vector<std::string> modals;   // class names shown modally
    std::string clipboard;
    std::vector<Informe> informes;   // documents shown
    std::deque<Answer> answers;        // next answers to questions; default button when empty
    std::deque<std::string> openFiles; // next answers to open dialogs; "" cancels
    std::deque<std::string> saveFiles;
    struct SaveDialog {
        std::string title;
        std::vector<FileFilter> filters;
        std::string suggestedName;
    };
    std::vector<SaveDialog> saveDialogs; // every save dialog shown
    // Fills and presses the buttons of a child window shown modally, by its class name.
    std::map<std::string, std::function<void(Window &)>> handlers;

    Answer MsgBox(const std::string &text, const std::string &title, Icon icon, Buttons buttons,
                  Answer defaultAnswer) override;
    void ShowModal(Window &window) override;
    std::string OpenFile(const std::string &title, const std::vector<FileFilter> &filters,
                         const std::string &initialDir) override;
    std::string SaveFile(const std::string &title, const std::vector<FileFilter> &filters,
                         const std::string &suggestedName) override;
    void SetClipboard(const std::string &text) override { clipboard = text; }
    int TaskDialog(const TaskDialogOpciones &dialogo) override;
    void Progress(bool visible, const std::string &text) override { progress.push_back(visible ? text : ""); }
    void MostrarInforme(const Informe &informe) override { informes.push_back(informe); }
    std::vector<Reporte> impresos; // reports sent to a printer
    void ImprimirReporte(const Reporte &reporte) override { impresos.push_back(reporte); }
    void Focus(Window &window, const std::string &control) override;
    void Refresh(Window &) override {}

    // The last message as "icon|title|text", or "" when none.
    std::string Last() const;
    void ClearLog() {
        messages.clear();
        taskDialogs.clear();
        progress.clear();
        focus.clear();
    }
    bool ProgressHidden() const { return progress.empty() || progress.back().empty(); }
};

std::string IconName(Icon icon);

} // namespace host
