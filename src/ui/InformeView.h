#pragma once

#include "host/Informe.h"

#include <QDialog>
#include <QRectF>
#include <QString>

class QPaintDevice;
class QPainter;

namespace ui {

// Paints the document as one A4 page that fills `pagina`, in the painter's device coordinates:
// every measure comes from the page's width, so a screen, a printer and a PDF look the same.
void PintarInforme(QPainter &p, const QRectF &pagina, const host::Informe &informe);
// Onto the whole of a device (an image, a PDF writer).
void PintarInforme(QPaintDevice &device, const host::Informe &informe);
// Writes the page as an A4 PDF; false when the file could not be written.
bool GuardarInformePdf(const host::Informe &informe, const QString &fichero);

// The document's preview, with printing, saving as PDF and closing.
class InformeView : public QDialog {
    Q_OBJECT
  public:
    explicit InformeView(const host::Informe &informe, QWidget *parent = nullptr);

  private:
    void Imprimir();
    void GuardarPdf();

    host::Informe informe_;
};

} // namespace ui
