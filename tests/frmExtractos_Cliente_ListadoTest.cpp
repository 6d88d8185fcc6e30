#include "customers/frmExtractos_Cliente_Listado.h"
#include "fixtures/Clientes.h"
#include "fixtures/Program.h"
#include "printing/Plantilla.h"
#include "printing/frmView.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

using D = customers::frmExtractos_Cliente_Listado;

// Every text of a laid-out report, one per line, in page order.
std::string Textos(const host::Reporte &r) {
    std::string t;
    for (const auto &p : r.paginas) {
        for (const auto &o : p.objetos) {
            if (o.tipo == host::ObjetoReporte::Tipo::Texto) {
                t += o.texto + "\n";
            }
        }
    }
    return t;
}

class ClienteListado : public ClientesFixture, public ::testing::Test {
  protected:
    ClienteListado() {
        printing::InstalarPlantillas(demo.dir.Path());
        demo.erp->Execute("UPDATE Empresas SET PathAplicacion = " + db::Quote(demo.dir.Path()));
    }
    std::unique_ptr<D> Dialogo(const std::string &fi, const std::string &ff, long ci, long cf) {
        auto d = std::make_unique<D>(shell);
        d->FechaInicial = fi;
        d->FechaFinal = ff;
        d->ClienteInicial = ci;
        d->ClienteFinal = cf;
        d->Show();
        d->cboEstado.SelectData(3);
        return d;
    }
};

TEST_F(ClienteListado, ChecksEachFieldInTurnAndRefusesBeforeAnyReportWork) {
    // No template at all: a check that passed would reach the report and fail on the missing file.
    std::filesystem::remove(printing::RutaExtractosClientes(demo.dir.Path(), false));
    auto d = Dialogo("", Dia(0), 1, 2);
    struct Caso {
        std::string fi, ff;
        long ci, cf;
        const char *mensaje, *foco;
    } casos[] = {
        {"", Dia(0), 1, 2, "Se esperaba fecha inicial.", "txtFechaI"},
        {Dia(0), "31/02/2021", 1, 2, "Se esperaba fecha final.", "txtFechaF"},
        {Dia(1), Dia(0), 1, 2, "Intervalo de fechas erróneo.", "txtFechaI"},
        {Dia(0), Dia(0), 0, 2, "Debe rellenar el Cliente Inicial.", "txtClienteInicial"},
        {Dia(0), Dia(0), 1, 0, "Debe rellenar el Cliente Final.", "txtClienteFinal"},
    };
    for (const auto &c : casos) {
        d->txtFechaI.text = c.fi;
        d->txtFechaF.text = c.ff;
        d->txtClienteInicial.code = c.ci;
        d->txtClienteFinal.code = c.cf;
        shell.ClearLog();
        d->cmdAceptar_Click();
        EXPECT_EQ(shell.Last(), std::string("information|¡ Atención !|") + c.mensaje);
        EXPECT_EQ(shell.focus.back(), std::string("frmExtractos_Cliente_Listado.") + c.foco);
        EXPECT_FALSE(d->Impreso());
        EXPECT_TRUE(shell.impresos.empty());
    }
    // All fields right: now the missing template is reported by the error trap, the dialog stays.
    d->txtClienteFinal.code = 2;
    shell.ClearLog();
    d->cmdAceptar_Click();
    EXPECT_NE(shell.Last().find("frmExtractos_Cliente_Listado:cmdAceptar_Click"), std::string::npos) << shell.Last();
    EXPECT_TRUE(d->Loaded());
}

TEST_F(ClienteListado, OpenedFromTheListPresetToTheCurrentStatement) {
    Extracto(2, Dia(3), true);
    auto w = Lista();
    std::optional<L::Listado> visto;
    w->alImprimir = [&](const L::Listado &l) {
        visto = l;
        D d(shell);
        d.FechaInicial = l.fechaI;
        d.FechaFinal = l.fechaF;
        d.ClienteInicial = l.clienteI;
        d.ClienteFinal = l.clienteF;
        d.Cerrado = l.cerrado;
        d.Show();
        EXPECT_EQ(d.txtFechaI.text, Dia(3));
        EXPECT_EQ(d.txtFechaF.text, Dia(3));
        EXPECT_EQ(d.txtClienteInicial.code, 2);
        EXPECT_EQ(d.txtClienteInicial.descripcion, "Franquicia Puerto del Rosario");
        EXPECT_EQ(d.cboEstado.Text(), "CERRADO");
        EXPECT_EQ(d.cboModelo.Text(), "Detallado");
        const std::string t = Textos(d.Componer());
        EXPECT_NE(t.find("Extracto de " + Dia(3)), std::string::npos) << t;
        EXPECT_EQ(t.find("FV-0001"), std::string::npos) << "another statement printed";
    };
    w->vsExtractos_RowColChange(Fila(*w, 2, Dia(3)));
    w->cmdImprimir_Click();
    ASSERT_TRUE(visto);
}

TEST_F(ClienteListado, DetailedAndSummarisedListEachStatementWithItsTotals) {
    Extracto(2, Dia(-2));
    long id = Linea(2, Dia(-2), 2, "O'Doc-9", Dia(-9), "214.00");
    demo.erp->Execute("INSERT INTO Clientes_PagosCentral_Extractos_Lineas_Impuestos (IdExtractoLinea, Base, "
                      "Valor_Tipo, Importe) VALUES (" + std::to_string(id) + ", 200, 7, 14)");
    Extracto(2, Dia(-1)); // without lines: listed with 0
    auto d = Dialogo(Dia(-30), Dia(0), 1, 2);
    std::string t = Textos(d->Componer());
    for (const std::string &s :
         {std::string("Facturas Pendientes de Cobros"), "Fecha: " + suite::Fecha::Parse(Dia(-30))->Formato("dd-mm-yyyy") + " / " +
                                               suite::Fecha::Hoy().Formato("dd-mm-yyyy"),
          std::string("O'Doc-9"), std::string("Base 200,00"), std::string("Cuota 14,00"),
          std::string("Total extracto ") + Dia(-1) + " (0 facturas)", std::string("0,00"),
          std::string("Total cliente 1 - "), std::string("160,50"), std::string("214,00"),
          std::string("Total general (3 extractos)"), std::string("374,50")}) {
        EXPECT_NE(t.find(s), std::string::npos) << s << "\n" << t;
    }
    EXPECT_NE(t.find("Cliente Inicial: 1     Cliente Final: 2"), std::string::npos) << t;

    // Open ones only, summarised: a line per statement, no invoices.
    d->cboModelo.index = 1;
    d->cboEstado.SelectData(1);
    demo.erp->Execute("UPDATE Clientes_PagosCentral_Extractos SET Cerrado = 1 WHERE Cod_Cliente = 2 AND FechaCobro = '" +
                      Dia(-1) + "'");
    t = Textos(d->Componer());
    EXPECT_EQ(t.find("O'Doc-9"), std::string::npos) << t;
    EXPECT_EQ(t.find(Dia(-1)), std::string::npos) << t;
    EXPECT_NE(t.find("(Resumido)"), std::string::npos);
    EXPECT_NE(t.find("Total general (2 extractos)"), std::string::npos) << t;
    EXPECT_NE(t.find("374,50"), std::string::npos) << t;

    // To a chosen printer.
    d->cboImpresora.Add("Oficina", 1);
    d->cboDispositivo.SelectData(1);
    d->cboImpresora.SelectData(1);
    d->cmdAceptar_Click();
    ASSERT_EQ(shell.impresos.size(), 1u);
    EXPECT_EQ(shell.impresos[0].impresora, "Oficina");
}

TEST(ClienteListadoCommand, WritesThePdfAndRefusesABackwardsRange) {
    TempDir dir;
    const std::string data = dir.File("demo");
    ASSERT_EQ(fixtures::RunProgram("init --demo --data " + fixtures::Q(data), dir).code, 0);
    auto run = [&](const std::string &a) { return fixtures::RunProgram(a + " --data " + fixtures::Q(data), dir); };
    const std::string hoy = suite::Fecha::Hoy().Formato("dd/mm/yyyy");
    const std::string desde = suite::Fecha::Hoy().SumarDias(-30).Formato("dd/mm/yyyy");
    const std::string pdf = dir.File("listado.pdf");
    auto r = run("customer listing --model Detallado --from " + desde + " --to " + hoy +
                 " --customer-from 1 --customer-to 9 --pdf " + fixtures::Q(pdf));
    ASSERT_EQ(r.code, 0) << r.err;
    std::string cmd = "pdftotext -layout " + fixtures::Q(pdf) + " " + fixtures::Q(pdf + ".txt");
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    std::ifstream in(pdf + ".txt");
    std::stringstream ss;
    ss << in.rdbuf();
    const std::string t = ss.str();
    for (const char *s : {"Facturas Pendientes de Cobros", "Cliente Inicial: 1", "Cliente Final: 9", "FV-0001",
                          "FV-0002", "Entrega parcial", "107,00", "53,50", "160,50", "Total general (1 extractos)"}) {
        EXPECT_NE(t.find(s), std::string::npos) << s << "\n" << t;
    }
    r = run("customer listing --model Resumido --from " + hoy + " --to " + desde +
            " --customer-from 1 --customer-to 9 --pdf " + fixtures::Q(dir.File("no.pdf")));
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "information|¡ Atención !|Intervalo de fechas erróneo.\n");
    EXPECT_FALSE(std::filesystem::exists(dir.File("no.pdf")));
    EXPECT_NE(run("customer listing --model Otro --from " + desde + " --to " + hoy +
                  " --customer-from 1 --customer-to 9 --pdf x.pdf").code, 0);
}

} // namespace
