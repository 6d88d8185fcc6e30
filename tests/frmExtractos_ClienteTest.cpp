#include "fixtures/Clientes.h"

#include <gtest/gtest.h>

namespace {

class ClienteList : public ClientesFixture, public ::testing::Test {};

TEST_F(ClienteList, ListsEveryStatementWithItsAmountAndAnEmptyOneWithZero) {
    Extracto(2, Dia(10));
    auto w = Lista();
    ASSERT_EQ(w->vsExtractos.DataRows(), 2);
    // Latest collection date first.
    EXPECT_EQ(w->vsExtractos.Text(1, L::colCliente), "2");
    EXPECT_EQ(w->vsExtractos.Text(1, L::colNombre), "Franquicia Puerto del Rosario");
    EXPECT_EQ(w->vsExtractos.Text(1, L::colFechaCobro), Dia(10));
    EXPECT_EQ(w->vsExtractos.Text(1, L::colImporte), "0,00");
    EXPECT_EQ(w->vsExtractos.Text(1, L::colEstado), "ABIERTO");
    EXPECT_EQ(w->vsExtractos.Text(2, L::colCliente), "1");
    EXPECT_EQ(w->vsExtractos.Text(2, L::colImporte), "160,50");

    // Filters: state, customer, dates.
    demo.erp->Execute("UPDATE Clientes_PagosCentral_Extractos SET Cerrado = 1 WHERE Cod_Cliente = 1");
    w->cboEstado.SelectData(2);
    w->cboEstado_Click();
    ASSERT_EQ(w->vsExtractos.DataRows(), 1);
    EXPECT_EQ(w->vsExtractos.Text(1, L::colEstado), "CERRADO");
    w->cboEstado.SelectData(3);
    w->txtCliente.code = 2;
    w->txtCliente_Change();
    EXPECT_EQ(w->txtCliente.descripcion, "Franquicia Puerto del Rosario");
    w->txtCliente_Enter();
    ASSERT_EQ(w->vsExtractos.DataRows(), 1);
    EXPECT_EQ(w->vsExtractos.Text(1, L::colCliente), "2");
    w->txtCliente.code = 0;
    w->txtFechaI.text = Dia(0);
    w->txtFechaF_Enter();
    EXPECT_EQ(w->vsExtractos.DataRows(), 1);
    w->txtFechaI.text = "31/02/2020";
    shell.ClearLog();
    w->txtFechaF_Enter();
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|Debe introducir una fecha válida.");
    EXPECT_EQ(shell.focus.back(), "frmExtractos_Cliente.txtFechaI");
}

TEST_F(ClienteList, DatesComeFromTheSettingsOrTodayAndThreeMonthsAheadAndAreKept) {
    demo.settings->GuardarValor("FechaICobro", "");
    demo.settings->GuardarValor("FechaFCobro", "");
    auto w = std::make_shared<L>(shell, demo.settings);
    w->Show();
    auto hoy = suite::Fecha::Hoy();
    EXPECT_EQ(w->txtFechaI.text, hoy.Formato("dd/mm/yyyy"));
    auto f = suite::Fecha::Parse(w->txtFechaF.text);
    ASSERT_TRUE(f);
    EXPECT_EQ((f->Anio() * 12 + f->Mes()) - (hoy.Anio() * 12 + hoy.Mes()), 3);
    EXPECT_EQ(demo.settings->LeerValor("FechaICobro"), w->txtFechaI.text);
    w->txtFechaI.text = "01/01/2001";
    w->txtFechaI_Change();
    EXPECT_EQ(demo.settings->LeerValor("FechaICobro"), "01/01/2001");
    EXPECT_EQ(w->cboEstado.Text(), "ABIERTO");
}

TEST_F(ClienteList, QuickEntryChecksEachBoxAndRefusesASecondStatementOfTheSameCustomerAndDate) {
    auto w = Lista();
    const long antes = demo.Count("Clientes_PagosCentral_Extractos");
    w->txtCliente_Insert.code = 99;
    w->txtFecha_Insert.text = Dia(3);
    w->txtCont_Insert.text = Dia(4);
    w->txtCont_Insert_Enter();
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|El cliente no existe.");
    EXPECT_EQ(shell.focus.back(), "frmExtractos_Cliente.txtCliente_Insert");
    w->txtCliente_Insert.code = 2;
    w->txtFecha_Insert.text = "30/02/2026";
    w->txtCont_Insert_Enter();
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|Fecha de cobro incorrecta");
    EXPECT_EQ(shell.focus.back(), "frmExtractos_Cliente.txtFecha_Insert");
    w->txtFecha_Insert.text = Dia(3);
    w->txtCont_Insert.text = "";
    w->txtCont_Insert_Enter();
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|Fecha de contabilización incorrecta");
    EXPECT_EQ(demo.Count("Clientes_PagosCentral_Extractos"), antes);

    w->txtCont_Insert.text = Dia(4);
    w->txtCont_Insert_Enter();
    EXPECT_TRUE(w->Guardado());
    EXPECT_EQ(demo.Count("Clientes_PagosCentral_Extractos"), antes + 1);
    EXPECT_EQ(demo.One("SELECT FechaContabilizar FROM Clientes_PagosCentral_Extractos WHERE Cod_Cliente = 2"),
              suite::Fecha::Parse(Dia(4))->Iso());
    int r = w->vsExtractos.row;
    EXPECT_EQ(w->vsExtractos.Text(r, L::colNombre), "Franquicia Puerto del Rosario");
    EXPECT_EQ(w->vsExtractos.Text(r, L::colImporte), "0,00");
    EXPECT_EQ(w->vsExtractos.Text(r, L::colEstado), "ABIERTO");
    EXPECT_EQ(w->txtCliente_Insert.code, 0);
    EXPECT_EQ(w->txtFecha_Insert.text, "");

    w->txtCliente_Insert.code = 2;
    w->txtFecha_Insert.text = Dia(3);
    w->txtCont_Insert.text = Dia(9);
    w->txtCont_Insert_Enter();
    EXPECT_FALSE(w->Guardado());
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|Ya existe el Franquiciado: 2 con la misma fecha de cobro.");
    EXPECT_EQ(demo.Count("Clientes_PagosCentral_Extractos"), antes + 1);
}

TEST_F(ClienteList, ModifyingAStatementMovesItsLinesAndRefusesAKeyInUse) {
    Extracto(3, Dia(20));
    auto w = Lista();
    int r = Fila(*w, 1, Dia(-5));
    ASSERT_NE(r, 0);
    w->vsExtractos_RowColChange(r);
    w->cmdModificar_Click();
    ASSERT_TRUE(w->Editando());
    EXPECT_EQ(w->txtCliente_Insert.code, 1);
    EXPECT_EQ(w->txtFecha_Insert.text, Dia(-5));
    EXPECT_EQ(w->txtCont_Insert.text, Dia(-5));

    // Onto another statement's key: refused, nothing moves.
    w->txtCliente_Insert.code = 3;
    w->txtFecha_Insert.text = Dia(20);
    w->txtCont_Insert_Enter();
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|Ya existe el Franquiciado: 3 con la misma fecha de cobro.");
    EXPECT_EQ(demo.Count("Clientes_PagosCentral_Extractos_Lineas WHERE Cod_Cliente = 1"), 2);

    w->txtFecha_Insert.text = Dia(-1);
    w->txtCont_Insert.text = Dia(2);
    w->txtCont_Insert_Enter();
    EXPECT_TRUE(w->Guardado());
    EXPECT_FALSE(w->Editando());
    EXPECT_EQ(demo.Count("Clientes_PagosCentral_Extractos WHERE Cod_Cliente = 1"), 0);
    EXPECT_EQ(demo.Count("Clientes_PagosCentral_Extractos_Lineas WHERE Cod_Cliente = 1"), 0);
    const std::string nueva = "Cod_Cliente = 3 AND FechaCobro = '" + suite::Fecha::Parse(Dia(-1))->Iso() + "'";
    EXPECT_EQ(demo.Count("Clientes_PagosCentral_Extractos WHERE " + nueva), 1);
    EXPECT_EQ(demo.Count("Clientes_PagosCentral_Extractos_Lineas WHERE " + nueva), 2);
    EXPECT_EQ(w->vsExtractos.Text(r, L::colCliente), "3");
    EXPECT_EQ(w->vsExtractos.Text(r, L::colNombre), "Franquicia Arrecife");
    EXPECT_EQ(w->vsExtractos.Text(r, L::colFechaCont), Dia(2));
    w->Cargar_Extractos();
    EXPECT_EQ(w->vsExtractos.Text(Fila(*w, 3, Dia(-1)), L::colImporte), "160,50");

    // Escape leaves edit mode without saving.
    w->cmdModificar_Click();
    w->Form_KeyDown_Escape();
    EXPECT_FALSE(w->Editando());
    EXPECT_TRUE(w->Loaded());
}

TEST_F(ClienteList, ButtonsFollowTheCurrentRowAndTheSpaceBarTicks) {
    Extracto(2, Dia(1), true);
    auto w = Lista();
    int cerrada = Fila(*w, 2, Dia(1)), abierta = Fila(*w, 1, Dia(-5));
    w->vsExtractos_RowColChange(cerrada);
    EXPECT_FALSE(w->cmdEliminar.enabled);
    EXPECT_FALSE(w->cmdModificar.enabled);
    w->cmdModificar_Click();
    EXPECT_FALSE(w->Editando());
    w->vsExtractos_KeySpace();
    EXPECT_TRUE(w->vsExtractos.Ticked(cerrada));
    w->vsExtractos_RowColChange(abierta);
    EXPECT_TRUE(w->cmdEliminar.enabled);
    EXPECT_TRUE(w->cmdModificar.enabled);
    w->vsExtractos_Click(abierta, L::colNombre);
    EXPECT_FALSE(w->vsExtractos.Ticked(abierta));
    w->chkSelelecion_vsExtractos.value = true;
    w->chkSelelecion_vsExtractos_Click();
    EXPECT_EQ(w->vsExtractos.TickedCount(), 2);
}

TEST_F(ClienteList, DeletionRefusesClosedOrNoneAndDeletesHeadersLinesAndTaxesOnConfirmation) {
    Extracto(2, Dia(1), true);
    Extracto(3, Dia(2));
    long l = Linea(3, Dia(2), 5, "X'1", Dia(-30), "10");
    demo.erp->Execute("INSERT INTO Clientes_PagosCentral_Extractos_Lineas_Impuestos (IdExtractoLinea, Base, Valor_Tipo, "
                      "Importe) VALUES (" +
                      std::to_string(l) + ", 10, 0, 0)");
    auto w = Lista();
    w->cmdEliminar_Click();
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|Debe señalar al menos un Extracto a eliminar.");
    w->vsExtractos.SetTicked(Fila(*w, 2, Dia(1)), true);
    w->vsExtractos.SetTicked(Fila(*w, 3, Dia(2)), true);
    w->cmdEliminar_Click();
    EXPECT_EQ(shell.Last(),
              "warning|¡ Atención !|Existe algún Extracto señalado que está cerrado. Demárquelo para continuar.");
    EXPECT_TRUE(shell.modals.empty());

    w->vsExtractos.SetTicked(Fila(*w, 2, Dia(1)), false);
    w->vsExtractos.SetTicked(Fila(*w, 1, Dia(-5)), true);
    confirmar = false;
    w->cmdEliminar_Click();
    EXPECT_FALSE(w->Eliminado());
    EXPECT_EQ(demo.Count("Clientes_PagosCentral_Extractos"), 3);

    confirmar = true;
    w->cmdEliminar_Click();
    EXPECT_TRUE(w->Eliminado());
    EXPECT_EQ(shell.modals.back(), "frmExtractos_ConfirmarEliminar");
    EXPECT_EQ(demo.Count("Clientes_PagosCentral_Extractos"), 1);
    EXPECT_EQ(demo.Count("Clientes_PagosCentral_Extractos_Lineas"), 0);
    EXPECT_EQ(demo.Count("Clientes_PagosCentral_Extractos_Lineas_Impuestos"), 0);
    ASSERT_EQ(w->vsExtractos.DataRows(), 1);
    EXPECT_EQ(w->vsExtractos.Text(1, L::colCliente), "2");
}

TEST_F(ClienteList, PaymentsOpenTheLinesOfTheCurrentStatementReadOnlyWhenClosedAndReloadAfterwards) {
    Extracto(2, Dia(1), true);
    auto w = Lista();
    std::vector<std::string> vistos;
    w->alAbrirLineas = [&](LL &l) {
        vistos.push_back(std::to_string(l.codCliente) + " " + l.fechaCobro + (l.soloLectura ? " RO" : ""));
    };
    shell.handlers["frmExtractos_Cliente_Lineas"] = [&](host::Window &win) {
        auto &l = static_cast<LL &>(win);
        vistos.push_back("rows " + std::to_string(l.vsLineas.DataRows()) + (l.txtBase[0].enabled ? "" : " locked"));
        l.cmdVolver_Click();
    };
    w->vsExtractos_RowColChange(Fila(*w, 2, Dia(1)));
    w->cmdPagos_Click();
    w->vsExtractos_RowColChange(Fila(*w, 1, Dia(-5)));
    w->vsExtractos_DblClick();
    EXPECT_EQ(vistos, (std::vector<std::string>{"2 " + Dia(1) + " RO", "rows 0 locked", "1 " + Dia(-5), "rows 2"}));
    EXPECT_EQ(w->vsExtractos.row, Fila(*w, 1, Dia(-5)));

    // The listing opens preset with the current statement alone.
    customers::frmExtractos_Cliente::Listado visto;
    w->alImprimir = [&](const customers::frmExtractos_Cliente::Listado &l) { visto = l; };
    w->cmdImprimir_Click();
    EXPECT_EQ(visto.fechaI, Dia(-5));
    EXPECT_EQ(visto.fechaF, Dia(-5));
    EXPECT_EQ(visto.clienteI, 1);
    EXPECT_EQ(visto.clienteF, 1);
    EXPECT_FALSE(visto.cerrado);
}

} // namespace
