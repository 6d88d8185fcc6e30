#include "ui/PintorReporte.h"

#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#ifdef PC_HAS_PRINTSUPPORT
#include <QPrinter>
#include <QPrinterInfo>
#endif

#include <functional>
#include <stdexcept>

namespace ui {

namespace {

// Texts keep this far (twips) from the edges of their box, so that a box line never touches them.
constexpr double kMargenTexto = 40;

QPageSize Papel(const host::Reporte &r) {
    // Portrait measures: the orientation turns it.
    int ancho = r.apaisado ? r.altoPapel : r.anchoPapel, alto = r.apaisado ? r.anchoPapel : r.altoPapel;
    if (ancho == 11906 && alto == 16838) {
        return QPageSize(QPageSize::A4);
    }
    return QPageSize(QSizeF(ancho / 1440.0, alto / 1440.0), QPageSize::Inch);
}

void Paginas(QPainter &p, const host::Reporte &r, const std::function<void()> &nueva) {
    for (std::size_t i = 0; i < r.paginas.size(); ++i) {
        if (i > 0) {
            nueva();
        }
        PintarPagina(p, r.paginas[i]);
    }
}

} // namespace

void PintarPagina(QPainter &p, const host::PaginaReporte &pagina, double zoom) {
    const QPaintDevice *dev = p.device();
    const double sx = (dev ? dev->logicalDpiX() : 96) / 1440.0 * zoom;
    const double sy = (dev ? dev->logicalDpiY() : 96) / 1440.0 * zoom;
    QPen pluma(Qt::black);
    pluma.setWidthF(std::max(1.0, 12 * sx)); // about 0.2 mm
    p.save();
    p.setPen(pluma);
    p.setBrush(Qt::NoBrush);
    QString nombreFuente;
    double puntos = 0;
    bool negrita = false;
    for (const auto &o : pagina.objetos) {
        QRectF caja(o.x * sx, o.y * sy, o.ancho * sx, o.alto * sy);
        switch (o.tipo) {
        case host::ObjetoReporte::Tipo::Linea:
            p.drawLine(QPointF(caja.left(), caja.top()), QPointF(caja.right(), caja.top()));
            break;
        case host::ObjetoReporte::Tipo::Caja:
            p.drawRect(caja);
            break;
        case host::ObjetoReporte::Tipo::Texto: {
            // Fonts change rarely between objects: set only when they do.
            QString nombre = QString::fromStdString(o.fuente.nombre);
            if (nombre != nombreFuente || o.fuente.puntos != puntos || o.fuente.negrita != negrita) {
                QFont f(nombre);
                f.setStyleHint(QFont::SansSerif);
                f.setPointSizeF(o.fuente.puntos * zoom);
                f.setBold(o.fuente.negrita);
                p.setFont(f);
                nombreFuente = nombre;
                puntos = o.fuente.puntos;
                negrita = o.fuente.negrita;
            }
            QRectF interior = caja.adjusted(kMargenTexto * sx, 0, -kMargenTexto * sx, 0);
            interior.setHeight(std::max(interior.height(), p.fontMetrics().height() * 1.0));
            int alin = Qt::AlignTop | Qt::TextSingleLine;
            alin |= o.alineacion == host::AlineacionReporte::Derecha  ? Qt::AlignRight
                    : o.alineacion == host::AlineacionReporte::Centro ? Qt::AlignHCenter
                                                                      : Qt::AlignLeft;
            QString texto = QString::fromStdString(o.texto);
            // A text wider than its field shows that it goes on rather than being cut silently.
            QFontMetricsF fm(p.font(), p.device());
            if (fm.horizontalAdvance(texto) > interior.width()) {
                texto = fm.elidedText(texto, Qt::ElideRight, interior.width());
            }
            p.drawText(interior, alin, texto);
            break;
        }
        }
    }
    p.restore();
}

void GuardarReportePdf(const host::Reporte &reporte, const QString &fichero) {
    QPdfWriter pdf(fichero);
    pdf.setResolution(600);
    pdf.setTitle(QString::fromStdString(reporte.titulo));
    pdf.setCreator(QStringLiteral("Pagos Centralizados"));
    pdf.setPageSize(Papel(reporte));
    pdf.setPageOrientation(reporte.apaisado ? QPageLayout::Landscape : QPageLayout::Portrait);
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter p;
    if (!p.begin(&pdf)) {
        throw std::runtime_error("No se puede escribir el fichero " + fichero.toStdString());
    }
    Paginas(p, reporte, [&] { pdf.newPage(); });
    if (!p.end()) {
        throw std::runtime_error("No se puede escribir el fichero " + fichero.toStdString());
    }
}

void ImprimirReporteEnImpresora(const host::Reporte &reporte) {
#ifdef PC_HAS_PRINTSUPPORT
    QPrinterInfo info = reporte.impresora.empty() ? QPrinterInfo::defaultPrinter()
                                                  : QPrinterInfo::printerInfo(QString::fromStdString(reporte.impresora));
    if (info.isNull()) {
        throw std::runtime_error(reporte.impresora.empty() ? "No hay ninguna impresora predeterminada."
                                                           : "No existe la impresora " + reporte.impresora);
    }
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(QString::fromStdString(reporte.titulo));
    printer.setCopyCount(1);
    printer.setPageSize(Papel(reporte));
    printer.setPageOrientation(reporte.apaisado ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer.setFullPage(true);
    QPainter p;
    if (!p.begin(&printer)) {
        throw std::runtime_error("No se puede imprimir en " + info.printerName().toStdString());
    }
    Paginas(p, reporte, [&] { printer.newPage(); });
    p.end();
#else
    throw std::runtime_error("Este programa se construyó sin impresión.");
#endif
}

} // namespace ui
