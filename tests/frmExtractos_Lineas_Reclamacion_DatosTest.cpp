#include "claims/frmExtractos_Lineas_Reclamacion_Datos.h"
#include "db/Sql.h"
#include "fixtures/FaultyConnection.h"
#include "fixtures/Vinculos.h"
#include "suite/EmpresaVarnex.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using E = claims::frmExtractos_Lineas_Reclamacion_Datos;

std::vector<std::string> Textos(const host::ComboField &c) {
    std::vector<std::string> out;
    for (const auto &it : c.items) {
        out.push_back(it.text);
    }
    return out;
}

class ClaimEditor : public VinculosFixture, public ::testing::Test {
  protected:
    ClaimEditor() { line = Line(901, "107", "F'107"); }

    std::unique_ptr<E> Abrir(const std::string &maximo, long id = 0, const std::string &anterior = "0") {
        auto e = std::make_unique<E>(shell);
        e->IdExtractoLinea = line;
        e->IdReclamacion = id;
        e->CantidadMaximaReclamar = *suite::Moneda::Parse(maximo);
        e->TotalAnterior = *suite::Moneda::Parse(anterior);
        e->FacturaFecha = Dia(-5);
        e->FacturaCodigo = "F'107";
        e->Show();
        return e;
    }
    // Every required field filled, type 2 and concept 1, no base yet.
    static void Llenar(E &e, long tipo = 2) {
        e.cboTiposReclamacion.SelectData(tipo);
        e.cboTiposReclamacion_Click();
        e.cboConceptos.SelectData(1);
        e.txtArticulosCodigo.text = "A-1";
        e.txtArticulosDescripcion.text = "Artículo";
        e.txtObservaciones.text = "Falta";
        e.txtCantidadReclamada.text = "3";
    }
    // Base `base` at the rate its combo shows as `tipo`, as the user types and leaves the box.
    static void Base(E &e, int i, const std::string &base, const std::string &tipo) {
        auto &c = e.cboIGIC[static_cast<std::size_t>(i - 1)];
        for (std::size_t k = c.items.size(); k-- > 0;) {
            if (c.items[k].text == tipo) {
                c.index = static_cast<int>(k); // the first such item: "0" is the one without tax
            }
        }
        e.cboIGIC_Click(i);
        if (!base.empty()) {
            e.txtBaseImponible[static_cast<std::size_t>(i - 1)].text = base;
            e.txtBaseImponible_LostFocus(i);
        }
    }
    std::string Claim(const std::string &columns, const std::string &where = "") const {
        auto rs = demo.erp->OpenRecordset("SELECT " + columns +
                                          " FROM Compras_PagosCentral_Extractos_Lineas_Reclamacion WHERE IdExtractoLinea = " +
                                          std::to_string(line) + where + " ORDER BY IdReclamacion");
        std::string out;
        while (!rs->Eof()) {
            for (std::size_t i = 0; i < rs->FieldCount(); ++i) {
                out += (i ? "|" : "") + (rs->Fields(i).IsNull() ? std::string("NULL") : rs->Fields(i).AsText());
            }
            out += "\n";
            rs->MoveNext();
        }
        return out;
    }
    long line = 0;
};

TEST_F(ClaimEditor, LoadsTheTaxTypesInForceAtTheLineDate) {
    auto e = Abrir("107");
    EXPECT_EQ(e->caption, "Reclamaciones de Pagos Centralizados");
    EXPECT_EQ(Textos(e->cboIGIC[0]), (std::vector<std::string>{"0", "0", "1", "3", "7", "9,5", "15"}));
    EXPECT_EQ(e->cboIGIC[4].items[4].data, 8); // the current general rate's ID
    EXPECT_EQ(e->cboTiposReclamacion.items.front().text, "---");
    EXPECT_EQ(e->cboTiposReclamacion.items[1].text, "Abono no aplicado"); // by name
    EXPECT_EQ(e->cboConceptos.index, 0);
    EXPECT_EQ(e->lblCantidadMaximaReclamar.caption, "107,00");
    EXPECT_EQ(e->txtFacturaCodigo.text, "F'107");
    EXPECT_EQ(e->txtFacturaFecha.text, Dia(-5));

    // The rates of the year before last, then a date before any rate: only "0".
    demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET Fecha = '01/06/" +
                      std::to_string(suite::Fecha::Hoy().Anio() - 2) + "' WHERE IdExtractoLinea = " + std::to_string(line));
    e = Abrir("107");
    EXPECT_EQ(Textos(e->cboIGIC[2]), (std::vector<std::string>{"0", "0", "1", "3", "6,5", "9,5", "13,5"}));
    demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas SET Fecha = '01/01/2000' WHERE IdExtractoLinea = " +
                      std::to_string(line));
    e = Abrir("107");
    EXPECT_EQ(Textos(e->cboIGIC[1]), (std::vector<std::string>{"0"}));
    EXPECT_TRUE(shell.messages.empty()) << shell.Last();
}

TEST_F(ClaimEditor, TotalsTaxEachBaseUnroundedAndRoundOnceAndProposeTheFirstBase) {
    auto e = Abrir("107");
    // Choosing 7 % for row 1 proposes the base whose total is the maximum.
    Base(*e, 1, "", "7");
    EXPECT_EQ(e->txtBaseImponible[0].text, "100,0000");
    EXPECT_EQ(e->lblTotalReclamado.caption, "107,00");
    EXPECT_EQ(e->txtTotalReclamacion.text, "107,00");
    EXPECT_EQ(shell.focus.back(), "frmExtractos_Lineas_Reclamacion_Datos.txtBaseImponible(2)");

    e->txtBaseImponible[0].text = "33.33";
    e->txtBaseImponible_KeyEnter(1);
    EXPECT_EQ(e->CalculaTotalReclamado(), *suite::Moneda::Parse("35.66")); // 35.6631
    EXPECT_EQ(e->txtTotalReclamacion.text, "35,66");

    // Three bases of 0.05 at 7 %: a tax of 0.0035 each, nothing when rounded alone.
    for (int i = 1; i <= 3; ++i) {
        Base(*e, i, "0,05", "7");
    }
    EXPECT_EQ(e->txtTotalReclamacion.text, "0,16"); // 0.1605
    // No tax at all: the bases' sum, rounded to the amount decimals.
    for (int i = 1; i <= 5; ++i) {
        Base(*e, i, i == 1 ? "10,005" : "0,001", "0");
    }
    EXPECT_EQ(e->txtTotalReclamacion.text, "10,01"); // 10.009
}

TEST_F(ClaimEditor, ValidatesInOrderWithItsTextsAndFocus) {
    auto e = Abrir("107");
    struct Paso {
        std::function<void(E &)> arreglo;
        std::string mensaje, foco;
    };
    // Mode 1, type 1: the delivery note first; each step fixes what the previous message named.
    e->txtFacturaCodigo.text = "";
    e->cboTiposReclamacion.SelectData(1);
    e->cboTiposReclamacion_Click();
    EXPECT_EQ(e->txtAlbaranNumero.caption, "Num. Albarán(*):");
    EXPECT_EQ(e->txtAlbaranFecha.caption, "Fecha Albarán(*):");
    std::vector<Paso> pasos = {
        {[](E &) {}, "Debe especificar el Número de Albarán", "txtAlbaranNumero"},
        {[](E &e) { e.txtAlbaranNumero.text = "ALB'1"; }, "Debe especificar una Fecha de Albarán válida",
         "txtAlbaranFecha"},
        {[](E &e) { e.txtAlbaranFecha.text = "31/02/2026"; }, "Debe especificar una Fecha de Albarán válida",
         "txtAlbaranFecha"},
        {[](E &e) { e.txtAlbaranFecha.text = Dia(-9); }, "Debe especificar el Concepto", "cboConceptos"},
        {[](E &e) { e.cboConceptos.SelectData(2); }, "Debe especificar el Número de Factura", "txtFacturaCodigo"},
        {[](E &e) { e.txtFacturaCodigo.text = "FV-1"; e.txtFacturaFecha.text = ""; },
         "Debe especificar una Fecha de Factura válida", "txtFacturaFecha"},
        {[](E &e) { e.txtFacturaFecha.text = Dia(-20); }, "Debe especificar los códigos de artículo",
         "txtArticulosCodigo"},
        {[](E &e) { e.txtArticulosCodigo.text = "A"; }, "Debe especificar la descripciones de artículo",
         "txtArticulosDescripcion"},
        {[](E &e) { e.txtArticulosDescripcion.text = "B"; }, "Debe especificar las observaciones", "txtObservaciones"},
        {[](E &e) { e.txtObservaciones.text = "  "; }, "Debe especificar las observaciones", "txtObservaciones"},
        {[](E &e) { e.txtObservaciones.text = "C"; e.txtBaseImponible[0].text = "0,00"; },
         "Debe especificar al menos la primera Base Imponible", "txtBaseImponible(1)"},
        {[](E &e) { e.txtBaseImponible[0].text = "50"; }, "Debe especificar la cantidad reclamada.",
         "txtCantidadReclamada"},
        {[](E &e) { e.txtCantidadReclamada.text = "tres"; }, "Las Unidades Reclamadas deben ser un número",
         "txtCantidadReclamada"},
        {[](E &e) { e.txtCantidadReclamada.text = "2,5"; e.txtBaseImponible[3].text = "1O"; },
         "La Base Imponible 4 debe ser un número", "txtBaseImponible(4)"},
    };
    for (const auto &p : pasos) {
        p.arreglo(*e);
        shell.ClearLog();
        e->cmdAceptar_Click();
        EXPECT_EQ(shell.Last(), "warning|¡ Atención !|" + p.mensaje);
        ASSERT_FALSE(shell.focus.empty());
        EXPECT_EQ(shell.focus.back(), "frmExtractos_Lineas_Reclamacion_Datos." + p.foco);
        EXPECT_TRUE(e->Loaded()) << p.mensaje;
    }
    EXPECT_EQ(Claim("COUNT(*)"), "0\n");
    e->txtBaseImponible[3].text = "";
    e->cmdAceptar_Click();
    EXPECT_FALSE(e->Loaded());
    EXPECT_TRUE(e->Grabado());
    EXPECT_EQ(Claim("Cod_TipoRecl, Cod_Concepto, AlbaranCodigo, AlbaranFecha, CantidadReclamado, TotalReclamacion"),
              "1|2|ALB'1|" + suite::Fecha::Parse(Dia(-9))->Iso() + "|2.5|50\n");

    // Type 4 and 6 in mode 1; in mode 2 none of them asks for anything more.
    e = Abrir("107");
    Llenar(*e, 4);
    EXPECT_EQ(e->txtFacturaDup.caption, "Num.Factura Dup.(*):");
    EXPECT_EQ(e->txtAlbaranNumero.caption, "Num. Albarán:");
    e->txtBaseImponible[0].text = "1";
    e->cmdAceptar_Click();
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|Debe especificar el Número de Vencimiento Cobrado anteriormente");
    e->txtFacturaDup.text = "VTO-1";
    e->cmdAceptar_Click();
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|Debe especificar una Fecha de Vencimiento válida");
    e->cboTiposReclamacion.SelectData(6);
    e->cboTiposReclamacion_Click();
    EXPECT_EQ(e->txtFacturaDup.caption, "Num.Factura Dup.:");
    EXPECT_EQ(e->txtPeriodoVigencia.caption, "Periodo de Vigencia(*):");
    e->cmdAceptar_Click();
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|Debe especificar un Periodo de Vigencia");

    demo.SetParam("PagoCentral_TipoExtracto", "2");
    e->cboTiposReclamacion.SelectData(1);
    e->cboTiposReclamacion_Click();
    EXPECT_EQ(e->txtAlbaranNumero.caption, "Num. Albarán:");
    EXPECT_EQ(e->txtPeriodoVigencia.caption, "Periodo de Vigencia(*):"); // left as it was
    shell.ClearLog();
    e->cmdAceptar_Click();
    EXPECT_TRUE(shell.messages.empty()) << shell.Last();
    EXPECT_FALSE(e->Loaded());
}

TEST_F(ClaimEditor, TheLimitAcceptsTheMaximumAndRefusesACentAboveWhenAddingAndModifying) {
    auto e = Abrir("107");
    Llenar(*e);
    Base(*e, 1, "", "7");
    e->txtBaseImponible[0].text = "100,01"; // 107.0107: 107.01
    e->txtBaseImponible_LostFocus(1);
    e->cmdAceptar_Click();
    EXPECT_EQ(shell.Last(),
              "warning|¡ Atención !|La cantidad total de la reclamación no puede superar la cantidad máxima a reclamar");
    EXPECT_EQ(shell.focus.back(), "frmExtractos_Lineas_Reclamacion_Datos.txtBaseImponible(1)");
    e->txtBaseImponible[0].text = "100";
    e->cmdAceptar_Click();
    EXPECT_FALSE(e->Loaded());
    EXPECT_EQ(Claim("TotalReclamacion, Base1, Igic1, Base2, Igic2"), "107|100|8|0|0\n");

    // A claim of 50 modified with 10 still unclaimed: 60 passes, 61 names the change and the maximum.
    demo.erp->Execute("UPDATE Compras_PagosCentral_Extractos_Lineas_Reclamacion SET Base1 = 50, Igic1 = 0, "
                      "TotalReclamacion = 50");
    long id = std::stol(Claim("IdReclamacion"));
    e = Abrir("10", id, "50");
    EXPECT_EQ(e->txtBaseImponible[0].text, "50");
    EXPECT_EQ(e->txtTotalReclamacion.text, "50,00");
    e->txtBaseImponible[0].text = "61";
    e->txtBaseImponible_KeyEnter(1);
    e->cmdAceptar_Click();
    EXPECT_EQ(shell.Last(), "warning|¡ Atención !|La cantidad modificada de la reclamación: 11 no puede superar al "
                            "máximo a reclamar: 10");
    e->txtBaseImponible[0].text = "60";
    e->cmdAceptar_Click();
    EXPECT_FALSE(e->Loaded());
    EXPECT_EQ(Claim("TotalReclamacion, Base1"), "60|60\n");
}

TEST_F(ClaimEditor, WritesTheInsertAndUpdateAsGivenAndStoresHostileTextsVerbatim) {
    auto plan = std::make_shared<FaultPlan>();
    host::Contexto::Global().conexionVarnex = std::make_shared<FaultyConnection>(demo.erp, plan);
    // As long as the narrowest of these columns (50) holds.
    const std::string hostil = "O'Brien \"x\"; DROP t; --\r\n' línea %_ 01/02/2026";
    auto e = Abrir("1000");
    Llenar(*e);
    for (auto *t : {&e->txtFacturaCodigo, &e->txtArticulosCodigo, &e->txtArticulosDescripcion, &e->txtObservaciones,
                    &e->txtPeriodoVigencia, &e->txtFacturaDup, &e->txtAlbaranNumero}) {
        t->text = hostil;
    }
    e->txtFacturaFecha.text = "05/03/2026";
    e->txtAlbaranFecha.text = "basura'";
    Base(*e, 1, "", "7");
    e->txtBaseImponible[0].text = "33,33";
    Base(*e, 3, "12,5", "0");
    Base(*e, 2, "0", "3");
    plan->log.clear();
    e->cmdAceptar_Click();
    ASSERT_FALSE(e->Loaded()) << shell.Last();
    std::string q = db::Escape(hostil);
    ASSERT_EQ(plan->log.size(), 1u);
    EXPECT_EQ(plan->log[0],
              "INSERT INTO Compras_PagosCentral_Extractos_Lineas_Reclamacion (IdExtractoLinea,Cod_Concepto,Cod_TipoRecl,"
              "FacturaCodigo,FacturaFecha,ArticulosCodigo, ArticulosDescripcion,Observaciones,PeriodoVigencia,"
              "FacturaCodigoDuplicado,FechaVtoDuplicado, AlbaranCodigo,AlbaranFecha,CantidadReclamado,TotalReclamacion,"
              "Igic1,Base1,Igic2,Base2,Igic3, Base3,Igic4,Base4,Igic5,Base5) VALUES(" +
                  std::to_string(line) + ",1,2,'" + q + "','05/03/2026','" + q + "','" + q + "','" + q + "','" + q +
                  "','" + q + "','','" + q + "','',3,48.16,8,33.33,6,0,0,12.5,0,0,0,0)");
    for (const char *col : {"FacturaCodigo", "ArticulosCodigo", "ArticulosDescripcion", "Observaciones",
                            "PeriodoVigencia", "FacturaCodigoDuplicado", "AlbaranCodigo"}) {
        EXPECT_EQ(Claim(col), hostil + "\n") << col;
    }
    EXPECT_EQ(Claim("FacturaFecha, AlbaranFecha, Exportado"), "2026-03-05|1900-01-01|0\n");

    // Reloaded as stored; the update names every column.
    long id = std::stol(Claim("IdReclamacion"));
    e = Abrir("10", id, "48,16");
    EXPECT_EQ(e->txtObservaciones.text, hostil);
    EXPECT_EQ(e->txtAlbaranFecha.text, "");
    EXPECT_EQ(e->cboIGIC[1].Text(), "3");
    EXPECT_EQ(e->txtBaseImponible[1].text, "0");
    e->txtObservaciones.text = "Nueva'";
    plan->log.clear();
    e->cmdAceptar_Click();
    ASSERT_FALSE(e->Loaded()) << shell.Last();
    ASSERT_EQ(plan->log.size(), 1u);
    EXPECT_EQ(plan->log[0],
              "UPDATE Compras_PagosCentral_Extractos_Lineas_Reclamacion SET Cod_Concepto =1 ,Cod_TipoRecl =2 "
              ",FacturaCodigo ='" + q + "' ,FacturaFecha ='05/03/2026' ,ArticulosCodigo ='" + q +
                  "' ,ArticulosDescripcion ='" + q + "' ,Observaciones ='Nueva''' ,PeriodoVigencia ='" + q +
                  "' ,FacturaCodigoDuplicado ='" + q + "' ,FechaVtoDuplicado ='' ,AlbaranCodigo ='" + q +
                  "' ,AlbaranFecha ='' ,CantidadReclamado =3 ,TotalReclamacion =48.16 ,Igic1 =8 ,Base1 =33.33 "
                  ",Igic2 =6 ,Base2 =0 ,Igic3 =0 ,Base3 =12.5 ,Igic4 =0 ,Base4 =0 ,Igic5 =0 ,Base5 =0 WHERE "
                  "IdExtractoLinea =" + std::to_string(line) + " AND IdReclamacion =" + std::to_string(id));
    EXPECT_EQ(Claim("Observaciones"), "Nueva'\n");
}

TEST_F(ClaimEditor, ReadOnlyLocksEverythingButCancel) {
    demo.erp->Execute("INSERT INTO Compras_PagosCentral_Extractos_Lineas_Reclamacion (IdExtractoLinea, Cod_TipoRecl, "
                      "Cod_Concepto, FacturaCodigo, Base1, Igic1, TotalReclamacion) VALUES (" +
                      std::to_string(line) + ", 3, 2, 'R-1', 20, 8, 21.4)");
    long id = std::stol(Claim("IdReclamacion"));
    auto e = std::make_unique<E>(shell);
    e->IdExtractoLinea = line;
    e->IdReclamacion = id;
    e->SoloLectura = true;
    e->Show();
    EXPECT_EQ(e->caption, "Reclamaciones de Pagos Centralizados - (SOLO LECTURA)");
    EXPECT_FALSE(e->cmdAceptar.visible);
    EXPECT_TRUE(e->cmdCancelar.visible && e->cmdCancelar.enabled);
    EXPECT_FALSE(e->lblCantidadMaximaReclamar.visible || e->lblCantidadMaxRec.visible);
    EXPECT_FALSE(e->cboConceptos.enabled || e->cboTiposReclamacion.enabled || e->frmImpuestos.enabled);
    EXPECT_FALSE(e->txtObservaciones.enabled || e->txtFacturaFecha.enabled || e->txtBaseImponible[0].enabled);
    EXPECT_EQ(e->cboTiposReclamacion.Text(), "Abono no aplicado");
    EXPECT_EQ(e->txtTotalReclamacion.text, "21,40");
    e->cmdAceptar_Click();
    EXPECT_TRUE(e->Loaded());
    e->Form_KeyDown_Escape();
    EXPECT_FALSE(e->Loaded());
    EXPECT_FALSE(e->Grabado());
    EXPECT_TRUE(shell.messages.empty()) << shell.Last();
}

} // namespace
