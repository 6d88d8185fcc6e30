#include "host/ScriptedShell.h"

#include "host/Window.h"

namespace host {

std::string IconName(Icon icon) {
    switch (icon) {
    case Icon::Critical:
        return "critical";
    case Icon::Warning:
        return "warning";
    case Icon::Information:
        return "information";
    case Icon::Question:
        return "question";
    default:
        return "none";
    }
}

Answer ScriptedShell::MsgBox(const std::string &text, const std::string &title, Icon icon, Buttons buttons,
                             Answer defaultAnswer) {
    messages.push_back({text, title, icon, buttons});
    if (buttons == Buttons::Ok) {
        return Answer::Ok;
    }
    if (answers.empty()) {
        return defaultAnswer;
    }
    Answer a = answers.front();
    answers.pop_front();
    return a;
}

void ScriptedShell::ShowModal(Window &window) {
    modals.push_back(window.ClassName());
    auto it = handlers.find(window.ClassName());
    if (it != handlers.end()) {
        it->second(window);
    }
    window.Hide();
}

std::string ScriptedShell::OpenFile(const std::string &, const std::vector<FileFilter> &, const std::string &) {
    if (openFiles.empty()) {
        return {};
    }
    std::string f = openFiles.front();
    openFiles.pop_front();
    return f;
}

std::string ScriptedShell::SaveFile(const std::string &title, const std::vector<FileFilter> &filters,
                                   const std::string &suggestedName) {
    saveDialogs.push_back({title, filters, suggestedName});
    if (saveFiles.empty()) {
        return {};
    }
    std::string f = saveFiles.front();
    saveFiles.pop_front();
    return f;
}

int ScriptedShell::TaskDialog(const TaskDialogOpciones &dialogo) {
    taskDialogs.push_back(dialogo);
    return 0;
}

void ScriptedShell::Focus(Window &window, const std::string &control) {
    focus.push_back(window.ClassName() + "." + control);
}

std::string ScriptedShell::Last() const {
    if (messages.empty()) {
        return {};
    }
    const auto &m = messages.back();
    return IconName(m.icon) + "|" + m.title + "|" + m.text;
}

} // namespace host
