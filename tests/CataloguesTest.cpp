#include "catalogues/frmTiposPago.h"
#include "claims/frmReclamacionConceptos.h"
#include "claims/frmReclamacionTipos.h"
#include "fixtures/DemoDb.h"
#include "fixtures/FaultyConnection.h"
#include "fixtures/Program.h"
#include "host/ScriptedShell.h"
#include "host/classes/HostClass.h"
#include "printing/Plantilla.h"
#include "printing/frmView.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

using catalogues::Catalogo;
using catalogues::CatalogoDatos;

class Catalogues : public ::testing::Test {
  protected:
    Catalogues() {
        for (const char *d : {"frmTiposPago_Datos", "frmReclamacionTipos_Datos", "frmReclamacionConceptos_Datos"}) {
            shell.handlers[d] = [this](host::Window &w) {
                auto &d = static_cast<CatalogoDatos &>(w);
                locked = d.txtCodigo.locked;
                shown = d.txtCodigo.text + "|" + d.txtNombre.text + "|" + d.txtTipo.text;
                if (fill.empty()) {
                    d.cmdCancelar_Click();
                    return;
                }
                d.txtCodigo.text = fill[0];
                d.txtNombre.text = fill[1];
                d.txtTipo.text = fill.size() > 2 ? fill[2] : "";
                d.cmdAceptar_Click();
                if (d.Loaded()) {
                    d.Form_KeyDown_Escape();
                }
            };
        }
    }
    std::string Rows(const Catalogo &w) const {
        std::string s;
        for (int r = 1; r <= w.vsLineas.DataRows(); ++r) {
            for (int c = 0; c < w.vsLineas.Cols(); ++c) {
                s += (c ? "|" : "") + w.vsLineas.Text(r, c);
            }
            s += "\n";
        }
        return s;
    }
    DemoDb demo;
    host::ScriptedShell shell;
    std::vector<std::string> fill;
    std::string shown;
    bool locked = false;
};

TEST_F(Catalogues, PaymentTypesAddModifyDeleteWithTheirChecks) {
    catalogues::frmTiposPago w(shell);
    w.Show();
    const int n = demo.Count("Compras_PagosCentral_Extractos_TiposPago");
    ASSERT_EQ(w.vsLineas.DataRows(), n);
    EXPECT_EQ(w.vsLineas.columns[1].header, "Nombre");
    EXPECT_EQ(w.vsLineas.columns[1].width, 4500);
    EXPECT_TRUE(w.cmdModificar.enabled);

    // Cancelled: nothing asked, nothing stored.
    w.cmdAgregar_Click();
    EXPECT_EQ(w.vsLineas.DataRows(), n);
    EXPECT_TRUE(shell.messages.empty());

    // The dialog's checks in their order, each leaving it open.
    fill = {"", "", ""};
    w.cmdAgregar_Click();
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|Debe especificar un nombre para el Tipo de Pago");
    fill = {"0", "Nuevo", "NV"};
    w.cmdAgregar_Click();
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|Se esperaba código");
    EXPECT_EQ(shell.focus.back(), "frmTiposPago_Datos.txtCodigo");
    fill = {"40", "Nuevo", ""};
    w.cmdAgregar_Click();
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|Se esperaba Tipo de Tago");
    EXPECT_EQ(shell.focus.back(), "frmTiposPago_Datos.txtTipo");

    // Duplicates of code or name are refused.
    fill = {"3", "Otro nombre", "ZZ"};
    w.cmdAgregar_Click();
    EXPECT_EQ(shell.Last(), "warning|¡ Operación no permitida !|El elemento especificado ya existe.");
    std::string name = demo.One("SELECT Nombre FROM Compras_PagosCentral_Extractos_TiposPago WHERE Codigo = 2");
    fill = {"41", name, "ZZ"};
    w.cmdAgregar_Click();
    EXPECT_EQ(shell.Last(), "warning|¡ Operación no permitida !|El elemento especificado ya existe.");
    EXPECT_EQ(demo.Count("Compras_PagosCentral_Extractos_TiposPago"), n);

    fill = {"40", "Pago d'Oro", "PO"};
    w.cmdAgregar_Click();
    EXPECT_EQ(demo.One("SELECT Nombre || '/' || Tipo FROM Compras_PagosCentral_Extractos_TiposPago WHERE Codigo = 40"),
              "Pago d'Oro/PO");
    EXPECT_EQ(w.vsLineas.Text(w.vsLineas.row, 1), "Pago d'Oro");

    // Modify: the code locked, another entry's name accepted.
    w.vsLineas_RowColChange(1);
    fill = {"999", name, "AA"};
    w.cmdModificar_Click();
    EXPECT_TRUE(locked);
    EXPECT_EQ(shown.substr(0, 2), "1|");
    EXPECT_EQ(w.vsLineas.Text(1, 1), name) << shell.Last();
    EXPECT_EQ(demo.One("SELECT COUNT(*) FROM Compras_PagosCentral_Extractos_TiposPago WHERE Nombre = " +
                       std::string("'") + name + "'"),
              "2");
    EXPECT_EQ(demo.One("SELECT COUNT(*) FROM Compras_PagosCentral_Extractos_TiposPago WHERE Codigo = 999"), "0");
    // Deleted by someone else meanwhile: said so, and the list reloaded.
    demo.erp->Execute("DELETE FROM Compras_PagosCentral_Extractos_TiposPago WHERE Codigo = 1");
    fill = {"1", "Otro", "OT"};
    w.cmdModificar_Click();
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|El elemento especificado ya no existe.");
    EXPECT_EQ(w.vsLineas.DataRows(), n);

    // Delete asks with No preselected; No keeps the row.
    shell.answers = {host::Answer::No};
    w.cmdEliminar_Click();
    EXPECT_EQ(shell.messages.back().buttons, host::Buttons::YesNo);
    EXPECT_EQ(shell.Last(), "question|¡ Atención !|¿Está seguro que desea eliminar el elemento actual?");
    EXPECT_EQ(w.vsLineas.DataRows(), n);
    while (w.vsLineas.DataRows() > 0) {
        shell.answers = {host::Answer::Yes};
        w.cmdEliminar_Click();
    }
    EXPECT_EQ(demo.Count("Compras_PagosCentral_Extractos_TiposPago"), 0);
    EXPECT_FALSE(w.cmdModificar.enabled);
    EXPECT_FALSE(w.cmdEliminar.enabled);
    w.cmdSalir_Click();
    w.Show();
    EXPECT_FALSE(w.cmdEliminar.enabled);
}

TEST_F(Catalogues, ClaimTypesRefuseADuplicateExternalCodeAndConceptsHaveNoType) {
    claims::frmReclamacionTipos t(shell);
    t.Show();
    ASSERT_EQ(t.vsLineas.DataRows(), 6);
    EXPECT_EQ(t.caption, "Tipos de Reclamaciones");
    fill = {"7", "", "XX"};
    t.cmdAgregar_Click();
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|Debe especificar un nombre para el Tipo de Reclamación");
    fill = {"7", "Nuevo", "  "};
    t.cmdAgregar_Click();
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|Debe especificar un nombre para el Tipo de Reclamación");
    EXPECT_EQ(shell.focus.back(), "frmReclamacionTipos_Datos.txtTipo");
    fill = {"abc", "Nuevo", "NV"};
    t.cmdAgregar_Click();
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|Se esperaba código");
    // The same external code as type 2, with a new code and name.
    fill = {"7", "Nuevo", "PR"};
    t.cmdAgregar_Click();
    EXPECT_EQ(shell.Last(), "warning|¡ Operación no permitida !|El elemento especificado ya existe.");
    fill = {"7", "O'Neill", "ON"};
    t.cmdAgregar_Click();
    EXPECT_EQ(t.vsLineas.row, 7);
    EXPECT_EQ(t.vsLineas.Text(7, 1), "O'Neill");
    t.vsLineas_RowColChange(2);
    fill = {"2", "Albarán no recibido", "P2"};
    t.cmdModificar_Click();
    EXPECT_EQ(demo.One("SELECT Nombre || '/' || Tipo FROM Compras_PagosCentral_Reclamacion_Tipos WHERE Codigo = 2"),
              "Albarán no recibido/P2");

    claims::frmReclamacionConceptos c(shell);
    c.Show();
    EXPECT_EQ(c.vsLineas.Cols(), 2);
    EXPECT_EQ(c.vsLineas.columns[0].width, 900);
    fill = {"8", " "};
    c.cmdAgregar_Click();
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|Debe especificar un nombre para el Concepto de Reclamación");
    fill = {"3", "Cualquiera"};
    c.cmdAgregar_Click();
    EXPECT_EQ(shell.Last(), "warning|¡ Operación no permitida !|El elemento especificado ya existe.");
    fill = {"8", "Precio d'oferta"};
    c.cmdAgregar_Click();
    EXPECT_EQ(demo.One("SELECT Nombre FROM Compras_PagosCentral_Reclamacion_Conceptos WHERE Codigo = 8"),
              "Precio d'oferta");
}

TEST_F(Catalogues, AFailedStatementLeavesGridAndTableAsTheyWere) {
    catalogues::frmTiposPago w(shell);
    w.Show();
    std::string before = Rows(w);
    // Every change statement fails as a full disk would make it fail.
    auto plan = std::make_shared<FaultPlan>();
    host::Contexto::Global().conexionVarnex = std::make_shared<FaultyConnection>(demo.erp, plan);
    plan->failAt = 2; // after the duplicate check
    fill = {"50", "X", "X"};
    w.cmdAgregar_Click();
    EXPECT_EQ(shell.messages.back().title, "frmTiposPago:cmdAgregar_Click");
    w.vsLineas_RowColChange(1);
    plan->Reset();
    plan->failAt = 1;
    w.cmdModificar_Click();
    EXPECT_EQ(shell.messages.back().title, "frmTiposPago:cmdModificar_Click");
    shell.answers = {host::Answer::Yes};
    plan->Reset();
    plan->failAt = 1;
    w.cmdEliminar_Click();
    EXPECT_EQ(shell.messages.back().title, "frmTiposPago:cmdEliminar_Click");
    EXPECT_EQ(Rows(w), before);
    EXPECT_EQ(demo.Count("Compras_PagosCentral_Extractos_TiposPago"), w.vsLineas.DataRows());
}

TEST_F(Catalogues, HostClassOpensAFreshWindowAndPrintsTheGrid) {
    printing::InstalarPlantillas(demo.dir.Path());
    demo.erp->Execute("UPDATE Empresas SET PathAplicacion = '" + demo.dir.Path() + "'");
    host::Contexto::Global().shell = &shell;
    auto cls = host::CrearObjeto("VRNXComprasPagoCentral.frmclsRecConcep");
    cls->Show();
    auto *w = dynamic_cast<claims::frmReclamacionConceptos *>(cls->Ventana());
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(w->vsLineas.DataRows(), 6);
    std::shared_ptr<const host::Reporte> r;
    shell.handlers["frmView"] = [&](host::Window &v) {
        r = static_cast<printing::frmView &>(v).Report;
        static_cast<printing::frmView &>(v).cmdCerrar_Click();
    };
    w->cmdImprimir_Click();
    ASSERT_TRUE(r);
    std::vector<std::string> texts;
    for (const auto &o : r->paginas.at(0).objetos) {
        texts.push_back(o.texto);
    }
    auto has = [&](const std::string &t) { return std::find(texts.begin(), texts.end(), t) != texts.end(); };
    EXPECT_TRUE(has("Conceptos de Reclamaciones"));
    EXPECT_TRUE(has("Oferta del folleto"));
    EXPECT_TRUE(has("Código"));
    EXPECT_TRUE(has("Empresa: 1 - " + demo.One("SELECT Nombre FROM Empresas WHERE Codigo = 1")));
    w->cmdSalir_Click();
    EXPECT_EQ(cls->Ventana(), nullptr);
    cls->Show();
    EXPECT_NE(cls->Ventana(), nullptr);
    host::Contexto::Global().shell = nullptr;
}

} // namespace
