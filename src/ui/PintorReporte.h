#pragma once

#include "host/Reporte.h"

#include <QString>

class QPainter;

namespace ui {

// Draws one page of a laid-out report with the painter's top-left at the page's corner.
// `zoom` 1 is the page's real size on the painter's device.
void PintarPagina(QPainter &p, const host::PaginaReporte &pagina, double zoom = 1.0);
// Every page into a PDF file of the report's paper size. Throws std::runtime_error naming the file
// when it cannot be written.
void GuardarReportePdf(const host::Reporte &reporte, const QString &fichero);
// Every page on the report's printer (the system's default when it names none), without a dialog.
// Throws std::runtime_error when there is no such printer.
void ImprimirReporteEnImpresora(const host::Reporte &reporte);

} // namespace ui
