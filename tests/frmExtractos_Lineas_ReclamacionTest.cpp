#include "claims/frmExtractos_Lineas_Reclamacion.h"
#include "claims/frmExtractos_Lineas_Reclamacion_Datos.h"
#include "fixtures/FaultyConnection.h"
#include "fixtures/Vinculos.h"
#include "lines/frmExtractos_Lineas.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using R = claims::frmExtractos_Lineas_Reclamacion;
using E = claims::frmExtractos_Lineas_Reclamacion_Datos;

const char *kSalir = "warning|¡ Atención !|Debe reclamar el máximo ó eliminar las reclamaciones ya hechas para poder salir";

class LineClaims : public VinculosFixture, public ::testing::Test {
  protected:
    LineClaims() { line = Line(901, "100", "DOC'1"); }

    long Claim(const std::string &total, long linea = 0, int tipo = 2) {
        demo.erp->Execute("INSERT INTO Compras_PagosCentral_Extractos_Lineas_Reclamacion (IdExtractoLinea, Cod_TipoRecl, "
                          "Cod_Concepto, FacturaCodigo, FacturaFecha, Base1, Igic1, TotalReclamacion) VALUES (" +
                          std::to_string(linea ? linea : line) + ", " + std::to_string(tipo) + ", 1, 'FC''" + total +
                          "', '" + Dia(-30) + "', " + total + ", 0, " + total + ")");
        return std::stol(demo.One("SELECT MAX(IdReclamacion) FROM Compras_PagosCentral_Extractos_Lineas_Reclamacion"));
    }
    std::unique_ptr<R> Abrir(const std::string &importe = "100", long proveedor = 901, int almacen = 1) {
        auto w = std::make_unique<R>(shell);
        w->IdExtractoLinea = line;
        w->Cod_Proveedor = proveedor;
        w->Cod_Almacen = almacen;
        w->ImporteReclamar = *suite::Moneda::Parse(importe);
        w->FacturaFecha = Dia(-5);
        w->FacturaCodigo = "DOC'1";
        w->Show();
        return w;
    }
    long Claims() const {
        return Count("Compras_PagosCentral_Extractos_Lineas_Reclamacion WHERE IdExtractoLinea = " + std::to_string(line));
    }
    long Count(const std::string &from) const { return demo.Count(from); }
    long line = 0;
};

TEST_F(LineClaims, ListsTheClaimsWithTheRemainingAmountAndOpensTheEditor) {
    long a = Claim("30.25");
    Claim("20", Line(902, "5", "OTRA")); // another line's claim stays out
    auto w = Abrir();
    EXPECT_EQ(shell.progress, (std::vector<std::string>{"Cargando líneas de Reclamaciones, espere por favor...", ""}));
    ASSERT_EQ(w->vsLineas.Cols(), 11);
    EXPECT_TRUE(w->vsLineas.columns[R::colTipoCodigo].hidden && w->vsLineas.columns[R::colIdReclamacion].hidden);
    EXPECT_EQ(w->vsLineas.columns[R::colTipoNombre].width, 2500);
    ASSERT_EQ(w->vsLineas.DataRows(), 1);
    std::vector<std::string> fila;
    for (int c = 0; c < 11; ++c) {
        fila.push_back(w->vsLineas.Text(1, c));
    }
    EXPECT_EQ(fila, (std::vector<std::string>{"0", "2", "Diferencia de precio", "FC'30.25", Dia(-30), "1",
                                              "Supermercado Telde", "901", "Proveedor O'901", "30,25",
                                              std::to_string(a)}));
    EXPECT_EQ(w->vsLineas.row, 1);
    EXPECT_EQ(w->lblCantidadMaximaReclamar.caption, "69,75");

    // Add: the editor gets the remaining amount and the proposals; the list reloads.
    std::vector<std::string> visto;
    shell.handlers["frmExtractos_Lineas_Reclamacion_Datos"] = [&](host::Window &win) {
        auto &e = static_cast<E &>(win);
        visto.push_back(e.lblCantidadMaximaReclamar.caption + "|" + e.txtFacturaCodigo.text + "|" +
                        e.txtFacturaFecha.text + "|" + std::to_string(e.IdReclamacion) + "|" + e.caption);
        if (e.IdReclamacion < 1) {
            e.cboTiposReclamacion.SelectData(3);
            e.cboConceptos.SelectData(2);
            e.txtArticulosCodigo.text = "A";
            e.txtArticulosDescripcion.text = "B";
            e.txtObservaciones.text = "C";
            e.txtCantidadReclamada.text = "1";
            e.cboIGIC[0].index = 4; // 7 %
            e.cboIGIC_Click(1);
            e.cmdAceptar_Click();
        }
    };
    w->cmdAgregar_Click();
    ASSERT_EQ(visto.size(), 1u);
    EXPECT_EQ(visto[0], "69,75|DOC'1|" + Dia(-5) + "|0|Reclamaciones de Pagos Centralizados");
    ASSERT_EQ(w->vsLineas.DataRows(), 2);
    EXPECT_EQ(w->lblCantidadMaximaReclamar.caption, "0,00");
    EXPECT_EQ(w->vsLineas.Text(2, R::colTotal), "69,75");

    // Modify takes the current row's claim and its total; View the same read-only, without a reload.
    w->vsLineas_RowColChange(1);
    w->cmdModificar_Click();
    w->vsLineas_RowColChange(2);
    w->vsLineas.SetTicked(1, true);
    w->vsLineas_DblClick();
    ASSERT_EQ(visto.size(), 3u);
    EXPECT_EQ(visto[1], "0,00|FC'30.25|" + Dia(-30) + "|" + std::to_string(a) + "|Reclamaciones de Pagos Centralizados");
    EXPECT_EQ(visto[2].substr(visto[2].size() - 17), " - (SOLO LECTURA)");
    EXPECT_TRUE(w->vsLineas.Ticked(1)); // the view did not reload
    EXPECT_TRUE(shell.messages.empty()) << shell.Last();

    // A closed statement's claims are only looked at.
    auto ro = std::make_unique<R>(shell);
    ro->IdExtractoLinea = line;
    ro->Cod_Almacen = 1;
    ro->SoloLectura = true;
    ro->Show();
    EXPECT_FALSE(ro->cmdAgregar.enabled || ro->cmdModificar.enabled || ro->cmdEliminar.enabled);
    EXPECT_TRUE(ro->cmdVerReclamacion.enabled);
}

TEST_F(LineClaims, TheWindowCannotBeLeftWhileClaimsLeavePartUnclaimed) {
    // No claims: always, whatever remains.
    auto w = Abrir("100");
    w->cmdVolver_Click();
    EXPECT_FALSE(w->Loaded());

    long a = Claim("99.99");
    w = Abrir("100"); // 0,01 left
    for (auto salir : {&R::cmdVolver_Click, &R::Form_KeyDown_Escape, &R::Form_QueryUnload}) {
        shell.ClearLog();
        ((*w).*salir)();
        EXPECT_EQ(shell.Last(), kSalir);
        EXPECT_TRUE(w->Loaded());
    }
    w = Abrir("99.99"); // exactly claimed
    w->Form_KeyDown_Escape();
    EXPECT_FALSE(w->Loaded());
    w = Abrir("50"); // claimed above the line: negative remainder
    EXPECT_EQ(w->lblCantidadMaximaReclamar.caption, "-49,99");
    w->cmdVolver_Click();
    EXPECT_FALSE(w->Loaded());

    // Modify and View do nothing on an empty grid; the missing supplier shows 0 and no name; a missing
    // warehouse lists nothing and leaves the whole amount.
    w = Abrir("100", 777);
    EXPECT_EQ(w->vsLineas.Text(1, R::colProveedor), "0");
    EXPECT_EQ(w->vsLineas.Text(1, R::colProveedorNombre), "");
    w = Abrir("100", 901, 99);
    EXPECT_EQ(w->vsLineas.DataRows(), 0);
    EXPECT_EQ(w->lblCantidadMaximaReclamar.caption, "100,00");
    shell.ClearLog();
    w->cmdModificar_Click();
    w->cmdVerReclamacion_Click();
    EXPECT_TRUE(shell.modals.empty());
    w->cmdVolver_Click();
    EXPECT_FALSE(w->Loaded());
    EXPECT_EQ(std::to_string(a), demo.One("SELECT IdReclamacion FROM Compras_PagosCentral_Extractos_Lineas_Reclamacion"));
}

TEST_F(LineClaims, DeletesTheTickedClaimsAfterAskingAndKeepsWhatWentBeforeAFailure) {
    long a = Claim("10"), b = Claim("20"), c = Claim("30");
    auto w = Abrir();
    w->cmdEliminar_Click();
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|Debe señalar al menos una linea de Reclamación a eliminar.");
    w->vsLineas_Click(1, R::colSel);
    w->vsLineas_RowColChange(3);
    w->vsLineas_KeySpace();
    shell.answers = {host::Answer::No};
    w->cmdEliminar_Click();
    EXPECT_EQ(shell.Last(), "question|¡ Atención !|¿Está seguro que desea eliminar las Reclamaciones señaladas?");
    EXPECT_EQ(Claims(), 3);
    shell.answers = {host::Answer::Yes};
    w->cmdEliminar_Click();
    EXPECT_EQ(demo.One("SELECT IdReclamacion FROM Compras_PagosCentral_Extractos_Lineas_Reclamacion"), std::to_string(b));
    ASSERT_EQ(w->vsLineas.DataRows(), 1);
    EXPECT_EQ(w->lblCantidadMaximaReclamar.caption, "80,00");
    EXPECT_FALSE(w->vsLineas.Ticked(1));

    // Select-all, then the second of three deletes fails: the first stays deleted, the list shows it.
    a = Claim("1");
    c = Claim("2");
    auto plan = std::make_shared<FaultPlan>();
    host::Contexto::Global().conexionVarnex = std::make_shared<FaultyConnection>(demo.erp, plan);
    w = Abrir();
    w->chkSelelecion_vsLineas.value = true;
    w->chkSelelecion_vsLineas_Click();
    EXPECT_EQ(w->vsLineas.TickedCount(), 3);
    plan->Reset();
    plan->failAt = 2;
    shell.ClearLog();
    shell.answers = {host::Answer::Yes};
    w->cmdEliminar_Click();
    ASSERT_EQ(shell.messages.size(), 2u);
    EXPECT_EQ(shell.messages[1].title, "frmExtractos_Lineas_Reclamacion:cmdEliminar_Click");
    EXPECT_EQ(shell.messages[1].text, "Fallo provocado en la instrucción 2");
    EXPECT_EQ(Claims(), 2);
    EXPECT_EQ(demo.One("SELECT COUNT(*) FROM Compras_PagosCentral_Extractos_Lineas_Reclamacion WHERE IdReclamacion = " +
                       std::to_string(b)),
              "0");
    EXPECT_EQ(w->vsLineas.DataRows(), 2);
    EXPECT_TRUE(shell.ProgressHidden());
    (void)a;
    (void)c;
}

TEST_F(LineClaims, ReclamarOpensTheClaimsOfTheCurrentLineAndTheLinesShowThem) {
    long otra = Line(902, "55.5", "DOC-2", -3);
    lines::frmExtractos_Lineas l(shell, demo.settings);
    l.codAlmacen = 1;
    l.codExtracto = "T'1";
    l.fechaExtracto = suite::Fecha::Hoy().SumarDias(-2);
    l.Show();
    int fila = 0;
    for (int r = 1; r <= l.vsLineas.DataRows(); ++r) {
        if (l.vsLineas.Text(r, lines::frmExtractos_Lineas::colIdLinea) == std::to_string(otra)) {
            fila = r;
        }
    }
    ASSERT_NE(fila, 0);
    l.vsLineas_RowColChange(fila);
    ASSERT_TRUE(l.cmdReclamar.enabled);
    std::string visto;
    shell.handlers["frmExtractos_Lineas_Reclamacion"] = [&](host::Window &win) {
        auto &r = static_cast<R &>(win);
        visto = std::to_string(r.IdExtractoLinea) + "|" + std::to_string(r.Cod_Proveedor) + "|" +
                std::to_string(r.Cod_Almacen) + "|" + r.lblCantidadMaximaReclamar.caption + "|" + r.FacturaFecha + "|" +
                r.FacturaCodigo + "|" + (r.SoloLectura ? "RO" : "RW");
        Claim("5.5", otra);
        r.Cargar_Lineas();
        r.cmdVolver_Click();
    };
    l.cmdReclamar_Click();
    EXPECT_EQ(visto, std::to_string(otra) + "|902|1|55,50|" + Dia(-3) + "|DOC-2|RW");
    EXPECT_EQ(shell.Last(), kSalir);
    EXPECT_EQ(l.vsLineas.Text(fila, lines::frmExtractos_Lineas::colRec), "X");
    EXPECT_EQ(l.vsLineas.row, fila);
}

} // namespace
