#include "host/ConsoleShell.h"

#include "host/ScriptedShell.h"
#include "host/Window.h"

#include <iostream>
#include <ostream>

namespace host {

std::string ConsoleShell::OneLine(const std::string &text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            out += "\\n";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else {
            out += c;
        }
    }
    return out;
}

void ConsoleShell::Print(Icon icon, const std::string &title, const std::string &text) {
    ++messagesShown;
    if (icon == Icon::Warning || icon == Icon::Critical) {
        ++warningsShown;
    }
    err_ << IconName(icon) << "|" << OneLine(title) << "|" << OneLine(text) << std::endl;
}

Answer ConsoleShell::MsgBox(const std::string &text, const std::string &title, Icon icon, Buttons buttons,
                            Answer) {
    Print(icon, title, text);
    switch (buttons) {
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::OkCancel:
        return yes_ ? Answer::Ok : Answer::Cancel;
    default:
        return yes_ ? Answer::Yes : Answer::No;
    }
}

void ConsoleShell::ShowModal(Window &window) {
    auto it = handlers.find(window.ClassName());
    if (it != handlers.end()) {
        it->second(window);
    }
    window.Hide();
}

std::string ConsoleShell::OpenFile(const std::string &, const std::vector<FileFilter> &, const std::string &) {
    if (openFiles.empty()) {
        return {};
    }
    std::string f = openFiles.front();
    openFiles.pop_front();
    return f;
}

std::string ConsoleShell::SaveFile(const std::string &, const std::vector<FileFilter> &, const std::string &) {
    if (saveFiles.empty()) {
        return {};
    }
    std::string f = saveFiles.front();
    saveFiles.pop_front();
    return f;
}

namespace {

// The task dialog's <TextBlock ...> mark-up has no meaning on a terminal: only its text is kept.
std::string SinMarcas(const std::string &markup) {
    std::string out;
    bool dentro = false;
    for (char c : markup) {
        if (c == '<') {
            dentro = true;
        } else if (c == '>') {
            dentro = false;
        } else if (!dentro) {
            out += c;
        }
    }
    return out;
}

} // namespace

int ConsoleShell::TaskDialog(const TaskDialogOpciones &dialogo) {
    Print(dialogo.icon, dialogo.title, SinMarcas(dialogo.instruction) + "\n" + SinMarcas(dialogo.content));
    return 0;
}

void ConsoleShell::MostrarInforme(const Informe &informe) {
    std::cout << informe.titulo << "\n";
    if (!informe.subtitulo.empty()) {
        std::cout << informe.subtitulo << "\n";
    }
    for (const auto &[etiqueta, valor] : informe.datos) {
        std::cout << etiqueta << "\t" << valor << "\n";
    }
    if (!informe.columnas.empty()) {
        for (std::size_t i = 0; i < informe.columnas.size(); ++i) {
            std::cout << (i ? "\t" : "") << informe.columnas[i];
        }
        std::cout << "\n";
        for (const auto &fila : informe.filas) {
            for (std::size_t i = 0; i < fila.size(); ++i) {
                std::cout << (i ? "\t" : "") << fila[i];
            }
            std::cout << "\n";
        }
    }
    if (!informe.pie.empty()) {
        std::cout << informe.pie << "\n";
    }
    std::cout.flush();
}

} // namespace host

namespace host {

void ConsoleShell::ImprimirReporte(const Reporte &reporte) {
    if (!alImprimir) {
        Shell::ImprimirReporte(reporte);
        return;
    }
    alImprimir(reporte);
}

} // namespace host
