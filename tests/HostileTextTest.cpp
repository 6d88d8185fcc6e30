#include "accounting/frmCuentaContrapartida.h"
#include "catalogues/frmTiposPago.h"
#include "claims/frmExtractos_Lineas_Reclamacion_Datos.h"
#include "claims/frmReclamacionConceptos.h"
#include "claims/frmReclamacionTipos.h"
#include "fixtures/Clientes.h"
#include "fixtures/TextosHostiles.h"
#include "fixtures/Vinculos.h"
#include "host/LongitudTexto.h"
#include "lines/BuscadorMaestros.h"
#include "lines/frmExtractos_Lineas.h"
#include "lines/frmExtractos_Lineas_Datos.h"
#include "lines/frmExtractos_Lineas_NoPagoFechaVto.h"
#include "statements/frmExtractos.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

// The outcome of one text through one field: the messages shown and what the database kept
// ("<none>" when no row was written).
struct Resultado {
    std::vector<std::string> mensajes;
    std::string guardado;
};

std::vector<std::string> Mensajes(const host::ScriptedShell &shell) {
    std::vector<std::string> out;
    for (const auto &m : shell.messages) {
        out.push_back(host::IconName(m.icon) + "|" + m.title + "|" + m.text);
    }
    return out;
}

// How the texts went, printed once for the record.
struct Cuenta {
    int guardados = 0, rechazados = 0;
    ~Cuenta() {
        if (guardados + rechazados > 0) {
            const int textos = static_cast<int>(Hostiles().size());
            std::printf("[ hostile  ] %d texts through %d fields: %d kept verbatim, %d refused by name\n", textos,
                        (guardados + rechazados) / textos, guardados, rechazados);
        }
    }
} cuenta;

// Every hostile text through one field whose column holds `maximo` characters: a text that fits is
// kept verbatim (or as `esperado` makes of it) with no message; a longer one, or one with a character
// the column's character set lacks, is refused by name.
void CadaTexto(const std::string &campo, std::size_t maximo, const std::function<Resultado(const std::string &)> &poner,
               const std::function<std::string(const std::string &)> &esperado = {}) {
    for (const auto &h : Hostiles()) {
        SCOPED_TRACE(campo + " <- " + h.nombre);
        Resultado r = poner(h.texto);
        const std::string guardable = esperado ? esperado(h.texto) : h.texto;
        const std::string rechazo = host::NoCabe(guardable, maximo, campo);
        ++(rechazo.empty() ? cuenta.guardados : cuenta.rechazados);
        if (rechazo.empty()) {
            EXPECT_TRUE(r.mensajes.empty()) << r.mensajes.front();
            EXPECT_EQ(r.guardado, guardable);
        } else {
            EXPECT_EQ(r.mensajes, (std::vector<std::string>{"warning|¡ Atención !|" + rechazo}));
            EXPECT_EQ(r.guardado, "<none>");
        }
    }
}

// The line editor, its lines window and the statement list of a mode-1 statement.
class HostileLines : public ::testing::Test, public VinculosFixture {
  protected:
    using L = lines::frmExtractos_Lineas;
    using D = lines::frmExtractos_Lineas_Datos;

    HostileLines() : w(shell, demo.settings) {
        demo.settings->GuardarValor("FechaILineas", "01/01/2000");
        w.codAlmacen = 1;
        w.codExtracto = "T'1";
        w.fechaExtracto = suite::Fecha::Hoy().SumarDias(-2);
    }
    std::string Columna(long id, const std::string &columna) const {
        return demo.One("SELECT " + columna + " FROM Compras_PagosCentral_Extractos_Lineas WHERE IdExtractoLinea = " +
                        std::to_string(id));
    }
    int FilaDe(long id) const {
        for (int r = 1; r <= w.vsLineas.DataRows(); ++r) {
            if (w.vsLineas.Text(r, L::colIdLinea) == std::to_string(id)) {
                return r;
            }
        }
        return 0;
    }
    long Ultima() const { return std::stol(demo.One("SELECT MAX(IdExtractoLinea) FROM Compras_PagosCentral_Extractos_Lineas")); }

    // A valid new line through the editor with `escribir` applied last; a refused editor is cancelled.
    Resultado Agregar(const std::function<void(D &)> &escribir, const std::string &columna, int colGrid) {
        shell.ClearLog();
        shell.handlers["frmExtractos_Lineas_Datos"] = [&](host::Window &win) {
            auto &d = static_cast<D &>(win);
            d.txtProveedor.code = 901;
            d.txtProveedor.text = "901";
            d.txtProveedor_Change();
            d.txtCtaProveedorPdte.text = "4009000901";
            d.txtImportePago.text = "10";
            d.cboTipoPago.SelectData(1);
            d.txtProveedorCentral.text = "50901";
            escribir(d);
            d.txtCtaProveedor_Change();
            d.txtCtaProveedorPdte_Change();
            d.cmdAceptar_Click();
            if (d.Loaded()) {
                d.cmdCancelar_Click();
            }
        };
        const long antes = Ultima();
        w.cmdAgregar_Click();
        Resultado r{Mensajes(shell), "<none>"};
        const long id = Ultima();
        if (id != antes) {
            r.guardado = Columna(id, columna);
            // The grid shows it as stored, and the editor gives it back untouched.
            const int fila = FilaDe(id);
            EXPECT_EQ(w.vsLineas.Text(fila, colGrid), r.guardado);
            w.vsLineas_RowColChange(fila);
            shell.handlers["frmExtractos_Lineas_Datos"] = [](host::Window &win) {
                static_cast<D &>(win).cmdAceptar_Click();
            };
            w.cmdModificar_Click();
            EXPECT_EQ(Columna(id, columna), r.guardado);
            EXPECT_EQ(Mensajes(shell), r.mensajes);
        }
        return r;
    }

    host::ScriptedShell shell;
    L w;
};

TEST_F(HostileLines, TheLineEditorKeepsEveryTextVerbatimOrRefusesOneLongerThanItsColumn) {
    w.Show();
    CadaTexto("Documento", 50, [&](const std::string &t) {
        return Agregar([&](D &d) { d.txtDocumento.text = t; }, "Documento", L::colDocumento);
    });
    CadaTexto("Documento Central", 50, [&](const std::string &t) {
        return Agregar([&](D &d) { d.txtDocumentoCentral.text = t; }, "DocumentoCentral", L::colDocCentral);
    });
    CadaTexto("Cuenta Proveedor", 20, [&](const std::string &t) {
        return Agregar([&](D &d) { d.txtCtaProveedor.text = t; }, "Cta_Proveedor", L::colCtaProveedor);
    });
    CadaTexto("Cuenta Proveedor Pdte. Recibir", 20, [&](const std::string &t) {
        return Agregar([&](D &d) { d.txtCtaProveedorPdte.text = t; }, "Cta_ProveedorPdte", L::colCtaProveedorPdte);
    });
}

TEST_F(HostileLines, FilterBoxesAndSearchListsFindTheVerbatimMatchOrNothing) {
    // A line and a statement, a supplier and a customer named after each text that fits.
    const long cero = Line(901, "0", "CERO");
    int codigo = 950;
    for (const auto &h : Hostiles()) {
        if (host::CaracteresUtf8(h.texto) <= 50) {
            Line(901, "7", h.texto);
            Statement(h.texto, 0, 10, false);
            const std::string c = std::to_string(++codigo);
            demo.erp->Execute("INSERT INTO Proveedores (Cod_Empresa, Codigo, Nombre) VALUES (1, " + c + ", " +
                              db::Quote(h.texto) + ")");
            demo.erp->Execute("INSERT INTO Clientes (Cod_Empresa, Codigo, Nombre) VALUES (1, " + c + ", " +
                              db::Quote(h.texto) + ")");
        }
    }
    w.Show();
    statements::frmExtractos lista(shell, demo.settings);
    lista.Show();
    auto &erp = *demo.erp;
    auto &acc = *demo.acc;
    accounting::frmCuentaContrapartida contra(shell);
    contra.Almacen = 1;
    contra.Show();
    for (const auto &h : Hostiles()) {
        SCOPED_TRACE(h.nombre);
        const bool cabe = host::CaracteresUtf8(h.texto) <= 50;
        const std::vector<std::string> una = cabe ? std::vector<std::string>{h.texto} : std::vector<std::string>{};
        auto columna = [](const host::Grid &g, int col) {
            std::vector<std::string> out;
            for (int r = 1; r <= g.DataRows(); ++r) {
                out.push_back(g.Text(r, col));
            }
            return out;
        };
        w.txtDocumento.text = h.texto;
        w.Cargar_Lineas();
        EXPECT_EQ(columna(w.vsLineas, L::colDocumento), una);
        w.txtDocumento.text.clear();
        w.txtDocumentoCentral.text = h.texto;
        w.Cargar_Lineas();
        EXPECT_EQ(columna(w.vsLineas, L::colDocCentral), una);
        w.txtDocumentoCentral.text.clear();
        w.Cargar_Lineas();

        // The amount search: a text that is no amount finds no line, not the one of 0.
        const int otra = FilaDe(cero) == 1 ? 2 : 1;
        w.vsLineas.row = otra;
        w.txtImporte.text = h.texto;
        w.txtImporte_Enter();
        EXPECT_EQ(w.vsLineas.row, otra);

        lista.txtNumExtracto.text = h.texto;
        lista.Cargar_Extractos();
        EXPECT_EQ(columna(lista.vsExtractos, statements::frmExtractos::colExtracto),
                  una);

        auto nombres = [](const std::vector<lines::BuscadorMaestros::Fila> &filas) {
            std::vector<std::string> out;
            for (const auto &f : filas) {
                out.push_back(f.nombre);
            }
            return out;
        };
        EXPECT_EQ(nombres(lines::BuscadorMaestros::Proveedores(erp, 1, h.texto)), una);
        EXPECT_EQ(nombres(lines::BuscadorMaestros::Clientes(erp, 1, h.texto)), una);
        EXPECT_TRUE(lines::BuscadorMaestros::Almacenes(erp, 1, h.texto).empty());
        EXPECT_TRUE(lines::BuscadorMaestros::Cuentas(acc, 1, h.texto).empty());
        EXPECT_FALSE(lines::BuscadorMaestros::NombreCuenta(acc, 1, h.texto).has_value());
        EXPECT_TRUE(contra.BuscarCuentas(h.texto).empty());
        contra.txtCtaContrapartida.text = h.texto;
        contra.txtCtaContrapartida_Change();
        EXPECT_EQ(contra.txtCtaContrapartida.descripcion, "");
    }
    EXPECT_EQ(Mensajes(shell), std::vector<std::string>{});
}

// '%', '_' and '[' typed into a filter are looked for as typed, on either database: SQL Server would
// take them for wildcards and a lone '[' for an unfinished class.
TEST_F(HostileLines, WildcardsTypedIntoAFilterAreTakenLiterally) {
    const std::vector<std::string> textos = {"A%B", "A_B", "A[B]C", "AXB", "AxxB", "A[", "ABC"};
    int codigo = 970;
    for (const auto &t : textos) {
        Line(901, "7", t);
        Statement(t, 0, 10, false);
        demo.erp->Execute("INSERT INTO Proveedores (Cod_Empresa, Codigo, Nombre) VALUES (1, " +
                          std::to_string(++codigo) + ", " + db::Quote(t) + ")");
    }
    w.Show();
    statements::frmExtractos lista(shell, demo.settings);
    lista.Show();
    auto columna = [](const host::Grid &g, int col) {
        std::vector<std::string> out;
        for (int r = 1; r <= g.DataRows(); ++r) {
            out.push_back(g.Text(r, col));
        }
        std::sort(out.begin(), out.end());
        return out;
    };
    using V = std::vector<std::string>;
    const std::vector<std::pair<std::string, V>> casos = {
        {"%", {"A%B"}}, {"_", {"A_B"}}, {"A_B", {"A_B"}}, {"[B]", {"A[B]C"}}, {"[", {"A[", "A[B]C"}},
        {"B]", {"A[B]C"}}, {"A%", {"A%B"}}, {"x", {"AXB", "AxxB"}},
    };
    for (const auto &[filtro, esperado] : casos) {
        SCOPED_TRACE(filtro);
        w.txtDocumento.text = filtro;
        w.Cargar_Lineas();
        EXPECT_EQ(columna(w.vsLineas, L::colDocumento), esperado);
        lista.txtNumExtracto.text = filtro;
        lista.Cargar_Extractos();
        EXPECT_EQ(columna(lista.vsExtractos, statements::frmExtractos::colExtracto), esperado);
        V nombres;
        for (const auto &f : lines::BuscadorMaestros::Proveedores(*demo.erp, 1, filtro)) {
            nombres.push_back(f.nombre);
        }
        std::sort(nombres.begin(), nombres.end());
        EXPECT_EQ(nombres, esperado);
    }
    EXPECT_EQ(Mensajes(shell), std::vector<std::string>{});
}

TEST_F(HostileLines, NoPaymentRemarksKeepTheirFirstSeventyCharacters) {
    demo.SetParam("PagoCentral_TipoExtracto", "2");
    const long id = Line(901, "10", "A");
    w.Show();
    auto primeros70 = [](const std::string &t) {
        std::size_t i = 0;
        for (int n = 0; i < t.size() && n < 70; ++n) {
            for (++i; i < t.size() && (static_cast<unsigned char>(t[i]) & 0xC0) == 0x80; ++i) {
            }
        }
        return t.substr(0, i);
    };
    for (int obs = 1; obs <= 4; ++obs) {
        const std::string col = "Obs" + std::to_string(obs);
        SCOPED_TRACE(col);
        CadaTexto("Observaciones", 70, [&](const std::string &t) {
            shell.ClearLog();
            shell.handlers["frmExtractos_Lineas_NoPagoFechaVto"] = [&](host::Window &win) {
                auto &d = static_cast<lines::frmExtractos_Lineas_NoPagoFechaVto &>(win);
                host::TextField *cajas[] = {&d.txtObs1, &d.txtObs2, &d.txtObs3, &d.txtObs4};
                for (auto *c : cajas) {
                    c->text = "x";
                }
                cajas[obs - 1]->text = t;
                d.chkNoPago.value = true;
                d.cmdAceptar_Click();
            };
            const std::string antes = Columna(id, col);
            w.vsLineas_RowColChange(FilaDe(id));
            w.CommandBars_Execute(L::menuNoPago);
            if (!shell.messages.empty()) {
                EXPECT_EQ(Columna(id, col), antes); // refused: the line keeps its remarks
                return Resultado{Mensajes(shell), "<none>"};
            }
            EXPECT_EQ(w.vsLineas.Text(FilaDe(id), L::colObs1 + obs - 1), primeros70(t));
            return Resultado{Mensajes(shell), Columna(id, col)};
        }, primeros70);
    }
}

TEST_F(HostileLines, ClaimTextsAreKeptVerbatimOrRefusedByLength) {
    using E = claims::frmExtractos_Lineas_Reclamacion_Datos;
    const long linea = Line(901, "107", "F'107");
    auto reclamar = [&](const std::function<void(E &)> &escribir, const std::string &columna) {
        shell.ClearLog();
        E e(shell);
        e.IdExtractoLinea = linea;
        e.CantidadMaximaReclamar = suite::Moneda::FromLong(1000);
        e.FacturaFecha = Dia(-5);
        e.FacturaCodigo = "F'107";
        e.Show();
        e.cboConceptos.SelectData(1);
        e.cboTiposReclamacion.SelectData(2);
        e.cboTiposReclamacion_Click();
        // The other required boxes, with plain texts.
        for (auto *caja : {&e.txtArticulosCodigo, &e.txtArticulosDescripcion, &e.txtObservaciones}) {
            caja->text = "Artículo 1";
        }
        e.txtCantidadReclamada.text = "3";
        e.txtBaseImponible[0].text = "10";
        e.txtBaseImponible_LostFocus(1);
        escribir(e);
        const long antes = demo.Count("Compras_PagosCentral_Extractos_Lineas_Reclamacion");
        e.cmdAceptar_Click();
        Resultado r{Mensajes(shell), "<none>"};
        if (demo.Count("Compras_PagosCentral_Extractos_Lineas_Reclamacion") != antes) {
            r.guardado = demo.One("SELECT " + columna + " FROM Compras_PagosCentral_Extractos_Lineas_Reclamacion "
                                  "WHERE IdReclamacion = (SELECT MAX(IdReclamacion) FROM "
                                  "Compras_PagosCentral_Extractos_Lineas_Reclamacion)");
        }
        return r;
    };
    struct Campo {
        const char *nombre, *columna;
        std::size_t maximo;
        host::TextField E::*caja;
    };
    for (const Campo &c : {Campo{"Número de Factura", "FacturaCodigo", 50, &E::txtFacturaCodigo},
                           Campo{"Códigos Artículos", "ArticulosCodigo", 4000, &E::txtArticulosCodigo},
                           Campo{"Descripción Artículos", "ArticulosDescripcion", 4000, &E::txtArticulosDescripcion},
                           Campo{"Observaciones Motivo", "Observaciones", 4000, &E::txtObservaciones},
                           Campo{"Periodo de Vigencia", "PeriodoVigencia", 100, &E::txtPeriodoVigencia},
                           Campo{"Num.Factura Dup.", "FacturaCodigoDuplicado", 50, &E::txtFacturaDup},
                           Campo{"Num. Albarán", "AlbaranCodigo", 50, &E::txtAlbaranNumero}}) {
        CadaTexto(c.nombre, c.maximo, [&](const std::string &t) {
            return reclamar([&](E &e) { (e.*c.caja).text = t; }, c.columna);
        });
    }
}

TEST_F(HostileLines, TheContraAccountIsTakenAsTypedUpToTheLengthOfAnAccount) {
    CadaTexto("Cuenta Contrapartida", 20, [&](const std::string &t) {
        shell.ClearLog();
        accounting::frmCuentaContrapartida d(shell);
        d.Almacen = 1;
        d.Extracto = "T'1";
        d.Show();
        d.txtCtaContrapartida.text = t;
        d.txtCtaContrapartida_Change();
        d.cmdAceptar_Click();
        return Resultado{Mensajes(shell), d.Aceptado ? d.Cuenta : "<none>"};
    });
}

class HostileCatalogues : public ::testing::Test {
  protected:
    // Adds an entry of code `codigo` through the dialog; a refused dialog is closed with Escape.
    template <class W>
    Resultado Agregar(W &w, short codigo, const std::string &nombre, const std::string &tipo,
                      const std::string &tabla, const std::string &columna, int colGrid) {
        shell.ClearLog();
        for (const char *d : {"frmTiposPago_Datos", "frmReclamacionTipos_Datos", "frmReclamacionConceptos_Datos"}) {
            shell.handlers[d] = [&](host::Window &win) {
                auto &d = static_cast<catalogues::CatalogoDatos &>(win);
                d.txtCodigo.text = std::to_string(codigo);
                d.txtNombre.text = nombre;
                d.txtTipo.text = tipo;
                d.cmdAceptar_Click();
                if (d.Loaded()) {
                    d.Form_KeyDown_Escape();
                }
            };
        }
        w.cmdAgregar_Click();
        Resultado r{Mensajes(shell), demo.One("SELECT " + columna + " FROM " + tabla + " WHERE Codigo = " +
                                              std::to_string(codigo))};
        if (r.guardado != "<none>") {
            bool visto = false;
            for (int f = 1; f <= w.vsLineas.DataRows(); ++f) {
                if (w.vsLineas.Text(f, 0) == std::to_string(codigo)) {
                    EXPECT_EQ(w.vsLineas.Text(f, colGrid), r.guardado);
                    visto = true;
                }
            }
            EXPECT_TRUE(visto);
        }
        return r;
    }
    template <class W> void Catalogo(const std::string &tabla, std::size_t nombre, std::size_t tipo) {
        W w(shell);
        w.Show();
        short codigo = 200;
        CadaTexto("Nombre", nombre, [&](const std::string &t) {
            ++codigo;
            return Agregar(w, codigo, t, "T" + std::to_string(codigo), tabla, "Nombre", 1);
        });
        if (tipo > 0) {
            CadaTexto("Tipo", tipo, [&](const std::string &t) {
                ++codigo;
                return Agregar(w, codigo, "N" + std::to_string(codigo), t, tabla, "Tipo", 2);
            });
        }
    }

    DemoDb demo;
    host::ScriptedShell shell;
};

TEST_F(HostileCatalogues, NamesAndTypesAreKeptVerbatimShownInTheirOwnCellOrRefusedByLength) {
    Catalogo<catalogues::frmTiposPago>("Compras_PagosCentral_Extractos_TiposPago", 60, 10);
    Catalogo<claims::frmReclamacionTipos>("Compras_PagosCentral_Reclamacion_Tipos", 100, 10);
    Catalogo<claims::frmReclamacionConceptos>("Compras_PagosCentral_Reclamacion_Conceptos", 100, 0);
}

class HostileCustomerLines : public ClientesFixture, public ::testing::Test {};

TEST_F(HostileCustomerLines, TheEntryRowKeepsDocumentAndRemarksVerbatimAndTheFilterFindsThem) {
    Extracto(2, Dia(1));
    auto w = Lineas(2, Dia(1));
    const std::string fecha = Dia(-3);
    int n = 0;
    auto entrada = [&](const std::string &doc, const std::string &obs, const std::string &columna, int colGrid) {
        shell.ClearLog();
        const long antes = demo.Count("Clientes_PagosCentral_Extractos_Lineas");
        w->txtProveedor_Insert.code = 2;
        w->txtProveedor_Insert.text = "2";
        w->txtDocumento_Insert.text = doc;
        w->txtFechaFactura.text = fecha;
        w->txtFechaFactura_Enter();
        w->txtObservaciones.text = obs;
        w->txtObservaciones_Enter();
        Resultado r{Mensajes(shell), "<none>"};
        if (demo.Count("Clientes_PagosCentral_Extractos_Lineas") != antes) {
            r.guardado = demo.One("SELECT " + columna + " FROM Clientes_PagosCentral_Extractos_Lineas WHERE "
                                  "IdExtractoLinea = " + std::to_string(w->IdActual()));
            EXPECT_EQ(w->vsLineas.Text(w->vsLineas.row, colGrid), r.guardado);
        }
        return r;
    };
    CadaTexto("Documento", 50, [&](const std::string &t) { return entrada(t, "obs", "Documento", LL::colDocumento); });
    CadaTexto("Observaciones", 255, [&](const std::string &t) {
        return entrada("OBS-" + std::to_string(++n), t, "Observaciones", LL::colObservaciones);
    });

    for (const auto &h : Hostiles()) {
        SCOPED_TRACE(h.nombre);
        w->txtDocumento.text = h.texto;
        w->txtDocumento_Enter();
        std::vector<std::string> vistos;
        for (int r = 1; r <= w->vsLineas.DataRows(); ++r) {
            vistos.push_back(w->vsLineas.Text(r, LL::colDocumento));
        }
        // Only what the lines' entry kept can be found.
        EXPECT_EQ(vistos, host::NoCabe(h.texto, 50, "").empty() ? std::vector<std::string>{h.texto}
                                                                : std::vector<std::string>{});
    }
    EXPECT_EQ(Mensajes(shell), std::vector<std::string>{});
}

TEST_F(HostileCustomerLines, TheStatementEntryRowRefusesAnyTextInItsDateBoxes) {
    auto w = Lista();
    const long antes = demo.Count("Clientes_PagosCentral_Extractos");
    for (const auto &h : Hostiles()) {
        SCOPED_TRACE(h.nombre);
        for (bool cobro : {true, false}) {
            shell.ClearLog();
            w->txtCliente_Insert.code = 2;
            w->txtCliente_Insert.text = "2";
            w->txtFecha_Insert.text = cobro ? h.texto : Dia(2);
            w->txtCont_Insert.text = cobro ? Dia(2) : h.texto;
            w->txtCont_Insert_Enter();
            EXPECT_EQ(Mensajes(shell), (std::vector<std::string>{
                                           std::string("warning|¡ Atención !|") +
                                           (cobro ? "Fecha de cobro incorrecta" : "Fecha de contabilización incorrecta")}));
        }
    }
    EXPECT_EQ(demo.Count("Clientes_PagosCentral_Extractos"), antes);
}

} // namespace
