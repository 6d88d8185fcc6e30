#include "app/ComandosCatalogo.h"

#include "app/ComandosExtractos.h"
#include "app/Sesion.h"
#include "catalogues/frmTiposPago.h"
#include "claims/frmReclamacionConceptos.h"
#include "claims/frmReclamacionTipos.h"
#include "host/ConsoleShell.h"
#include "printing/frmView.h"
#include "statements/frmExtractos.h"
#include "ui/PintorReporte.h"

#include <QGuiApplication>

#include <cstdlib>
#include <functional>
#include <iostream>
#include <memory>
#include <stdexcept>

namespace app {

namespace {

std::unique_ptr<catalogues::Catalogo> Catalogo(const std::string &clase, host::Shell &shell) {
    if (clase == "payment-types") {
        return std::make_unique<catalogues::frmTiposPago>(shell);
    }
    if (clase == "claim-types") {
        return std::make_unique<claims::frmReclamacionTipos>(shell);
    }
    if (clase == "claim-concepts") {
        return std::make_unique<claims::frmReclamacionConceptos>(shell);
    }
    throw std::runtime_error("Catálogo desconocido: \"" + clase +
                             "\" (payment-types, claim-types o claim-concepts)");
}

int FilaDe(const catalogues::Catalogo &w, const std::string &codigo) {
    for (int r = 1; r <= w.vsLineas.DataRows(); ++r) {
        if (w.vsLineas.Text(r, catalogues::Catalogo::colCodigo) == codigo) {
            return r;
        }
    }
    throw std::runtime_error("No existe el elemento de código " + codigo + " en " + w.caption);
}

} // namespace

int ComandoCatalog(const Args &args) {
    const auto &pos = args.Positional();
    if (pos.size() < 2) {
        throw std::runtime_error("catalog espera CATALOGO y list, add, modify o delete");
    }
    host::ConsoleShell console(std::cerr, args.Has("yes"));
    AbrirSesion(args, console);
    auto w = Catalogo(pos[0], console);
    w->Show();
    if (console.warningsShown > 0) {
        return 1;
    }
    const std::string &accion = pos[1];
    bool conTipo = w->vsLineas.Cols() > 2;
    auto argumentos = [&](std::size_t minimo) {
        std::size_t maximo = conTipo ? 5 : 4;
        if (pos.size() < minimo || pos.size() > maximo) {
            throw std::runtime_error(accion + " espera CODIGO NOMBRE" + (conTipo ? " [TIPO]" : ""));
        }
    };
    // The entry dialog takes the command's values and is accepted, as a user would type them.
    std::string codigo, nombre, tipo;
    bool conNuevoTipo = false;
    auto rellenar = [&](host::Window &win) {
        auto &d = static_cast<catalogues::CatalogoDatos &>(win);
        if (!d.txtCodigo.locked) {
            d.txtCodigo.text = codigo;
        }
        d.txtNombre.text = nombre;
        if (conNuevoTipo) {
            d.txtTipo.text = tipo;
        }
        d.cmdAceptar_Click();
        if (!d.aceptado) {
            d.cmdCancelar_Click();
        }
    };
    for (const char *dlg : {"frmTiposPago_Datos", "frmReclamacionTipos_Datos", "frmReclamacionConceptos_Datos"}) {
        console.handlers[dlg] = rellenar;
    }
    if (accion == "list") {
        if (pos.size() != 2) {
            throw std::runtime_error("list no lleva más argumentos");
        }
    } else if (accion == "add") {
        argumentos(4);
        codigo = pos[2];
        nombre = pos[3];
        conNuevoTipo = pos.size() > 4;
        tipo = conNuevoTipo ? pos[4] : "";
        w->cmdAgregar_Click();
    } else if (accion == "modify") {
        argumentos(4);
        w->vsLineas_RowColChange(FilaDe(*w, pos[2]));
        nombre = pos[3];
        conNuevoTipo = pos.size() > 4;
        tipo = conNuevoTipo ? pos[4] : "";
        w->cmdModificar_Click();
    } else if (accion == "delete") {
        if (pos.size() != 3) {
            throw std::runtime_error("delete espera CODIGO");
        }
        w->vsLineas_RowColChange(FilaDe(*w, pos[2]));
        int antes = w->vsLineas.DataRows();
        w->cmdEliminar_Click();
        if (w->vsLineas.DataRows() == antes && console.warningsShown == 0) {
            std::cerr << "No se ha eliminado nada (confirme con --yes)\n";
            return 1;
        }
    } else {
        throw std::runtime_error("Acción desconocida: \"" + accion + "\" (list, add, modify o delete)");
    }
    ImprimirGrid(w->vsLineas, std::cout);
    return console.warningsShown > 0 ? 1 : 0;
}

int ImprimirConConsola(const Args &args, int argc, char **argv,
                       const std::function<void(host::ConsoleShell &)> &accion) {
    // Painting needs fonts, not a screen.
    if (!std::getenv("QT_QPA_PLATFORM")) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    // Qt's own notes (runtime folders, fonts) are not the command's messages.
    qInstallMessageHandler([](QtMsgType tipo, const QMessageLogContext &, const QString &texto) {
        if (tipo == QtCriticalMsg || tipo == QtFatalMsg) {
            std::cerr << texto.toStdString() << "\n";
        }
    });
    QGuiApplication qapp(argc, argv);
    host::ConsoleShell console(std::cerr, args.Has("yes"));
    AbrirSesion(args, console);
    std::string pdf = args.Get("pdf");
    std::string impresora = args.Get("printer");
    if (args.Has("pdf") && pdf.empty()) {
        throw std::runtime_error("--pdf espera el nombre del fichero");
    }
    bool hecho = false;
    // The viewer is where the report reaches: here it goes to the file or the printer instead.
    console.handlers["frmView"] = [&](host::Window &win) {
        auto &v = static_cast<printing::frmView &>(win);
        if (!pdf.empty()) {
            ui::GuardarReportePdf(*v.Report, QString::fromStdString(pdf));
        } else {
            host::Reporte r = *v.Report;
            r.impresora = impresora;
            ui::ImprimirReporteEnImpresora(r);
        }
        hecho = true;
        v.cmdCerrar_Click();
    };
    accion(console);
    if (hecho && !pdf.empty()) {
        std::cout << "Informe guardado en " << pdf << "\n";
    }
    return hecho && console.warningsShown == 0 ? 0 : 1;
}

int ComandoPrint(const Args &args, int argc, char **argv) {
    const auto &pos = args.Positional();
    if (pos.size() != 1) {
        throw std::runtime_error("print espera la lista a imprimir: payment-types, claim-types, claim-concepts o statements");
    }
    return ImprimirConConsola(args, argc, argv, [&](host::ConsoleShell &console) {
        if (pos[0] == "statements") {
            statements::frmExtractos w(console);
            AbrirConFiltros(w, args, console);
            w.cmdImprimir_Click();
        } else {
            auto w = Catalogo(pos[0], console);
            w->Show();
            w->cmdImprimir_Click();
        }
    });
}

} // namespace app
