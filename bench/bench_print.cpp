// Printing a 10,000-row, 8-column grid to PDF through the print engine (temporary table, layout
// on the template, painting), against drawing the same texts with QPainter into a QPdfWriter
// directly in the same run. Prints the ratio and the peak memory of each.
#include "db/OpenFile.h"
#include "host/Grid.h"
#include "host/ScriptedShell.h"
#include "printing/CRPrintGrid.h"
#include "printing/Plantilla.h"
#include "ui/PintorReporte.h"

#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "Comun.h"

namespace {

using bench::Seconds;

long PicoKb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

host::Grid Rejilla(int filas) {
    using host::GridAlign;
    using host::GridType;
    host::Grid g;
    g.columns = {{"Almacén", 700, GridAlign::Right, GridType::Long},
                 {"Extracto", 1200},
                 {"Documento", 1400},
                 {"Fecha", 1000, GridAlign::Center, GridType::Date},
                 {"Proveedor", 2200},
                 {"Importe", 1100, GridAlign::Right, GridType::Currency},
                 {"Impuestos", 1000, GridAlign::Right, GridType::Currency},
                 {"Estado", 900}};
    for (int i = 1; i <= filas; ++i) {
        char fila[256];
        std::snprintf(fila, sizeof fila, "%d\tE%06d\tFAC-%08d\t%02d/%02d/2024\tProveedor %d, S.L.\t%d.%03d,%02d\t%d,%02d\t%s",
                      i % 7 + 1, i / 40, i, i % 28 + 1, i % 12 + 1, i % 500, i % 90 + 1, i % 1000, i % 100, i % 300,
                      i % 100, i % 3 ? "ABIERTO" : "CERRADO");
        g.AddItem(fila);
    }
    return g;
}

// The same texts, one row after another, straight onto the PDF's pages.
void Directo(const host::Grid &g, const QString &fichero) {
    QPdfWriter pdf(fichero);
    pdf.setResolution(600);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter p(&pdf);
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(7);
    f.setBold(true);
    p.setFont(f);
    const double s = 600.0 / 1440.0;
    int y = 1600;
    for (int r = 1; r <= g.DataRows(); ++r) {
        if (y + 230 > 16838 - 567) {
            pdf.newPage();
            y = 1600;
        }
        int x = 567 + 200;
        for (int c = 0; c < g.Cols(); ++c) {
            int w = g.columns[c].width * 10772 / 11300;
            p.drawText(QRectF(x * s, y * s, w * s, 230 * s), Qt::AlignTop | Qt::AlignLeft,
                       QString::fromStdString(g.Text(r, c)));
            x += w + 200;
        }
        y += 230;
    }
}

} // namespace

int main(int argc, char **argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    QGuiApplication app(argc, argv);
    std::string dir = (std::filesystem::temp_directory_path() / "pagocentral-bench-print").string();
    bench::CrearDemo(dir);
    printing::InstalarPlantillas(dir);
    auto erp = db::OpenDatabaseFile(dir + "/erp.db");
    host::Grid g = Rejilla(10000);

    long antes = PicoKb();
    auto t0 = std::chrono::steady_clock::now();
    Directo(g, QString::fromStdString(dir + "/directo.pdf"));
    double referencia = Seconds(t0);
    long picoReferencia = PicoKb();

    host::ScriptedShell shell;
    t0 = std::chrono::steady_clock::now();
    int paginas = 0;
    {
        printing::CRPrintGrid motor(shell);
        motor.ConnectionString = erp->Properties().at("Extended Properties");
        motor.Empresa_AppPath = dir;
        motor.Empresa_Codigo = 1;
        motor.Empresa_Nombre = "Demo";
        motor.Titulo = "Extractos";
        motor.AjustarColumnas = true;
        motor.ReportSource(g);
        host::Reporte r = motor.Componer();
        paginas = static_cast<int>(r.paginas.size());
        ui::GuardarReportePdf(r, QString::fromStdString(dir + "/motor.pdf"));
    }
    double motor = Seconds(t0);
    long picoMotor = PicoKb();
    if (paginas < 100 || std::filesystem::file_size(dir + "/motor.pdf") < 10000) {
        std::fprintf(stderr, "the engine's PDF is wrong: %d pages\n", paginas);
        return 1;
    }
    std::printf("direct QPainter into QPdfWriter: %.3f s (peak memory +%ld KB)\n", referencia, picoReferencia - antes);
    std::printf("print engine, 10,000 rows x 8 columns, %d pages: %.3f s (peak memory +%ld KB over the direct run)\n",
                paginas, motor, picoMotor - picoReferencia);
    std::printf("print engine vs direct drawing: ratio %.2f (aim 2)\n", motor / referencia);
    std::filesystem::remove_all(dir);
    return 0;
}
