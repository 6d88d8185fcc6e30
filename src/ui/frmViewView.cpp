#include "ui/frmViewView.h"

#include "ui/PintorReporte.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QScrollArea>

namespace ui {

namespace {

// The page on white paper, as large as the zoom makes it.
class Hoja : public QWidget {
  public:
    Hoja(printing::frmView &w, QWidget *parent) : QWidget(parent), w_(w) {}
    QSize Tamano() const {
        if (!w_.Report) {
            return {200, 280};
        }
        double f = w_.Zoom / 100.0;
        return QSize(static_cast<int>(w_.Report->anchoPapel / 1440.0 * logicalDpiX() * f),
                     static_cast<int>(w_.Report->altoPapel / 1440.0 * logicalDpiY() * f));
    }
    QSize sizeHint() const override { return Tamano(); }

  protected:
    void paintEvent(QPaintEvent *) override {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        if (w_.Report && w_.pagina >= 1 && w_.pagina <= w_.Paginas()) {
            p.setRenderHint(QPainter::Antialiasing);
            p.setRenderHint(QPainter::TextAntialiasing);
            PintarPagina(p, w_.Report->paginas[w_.pagina - 1], w_.Zoom / 100.0);
        }
    }

  private:
    printing::frmView &w_;
};

} // namespace

frmViewView::frmViewView(printing::frmView &w, QWidget *parent) : WindowView(w, parent), w_(w) {
    Caption(w.caption);
    auto *barra = new QHBoxLayout();
    barra->addWidget(Button(w.cmdPrimera, [&w] { w.cmdPrimera_Click(); }));
    barra->addWidget(Button(w.cmdAnterior, [&w] { w.cmdAnterior_Click(); }));
    pagina_ = new QLabel(this);
    pagina_->setAlignment(Qt::AlignCenter);
    pagina_->setMinimumWidth(fontMetrics().averageCharWidth() * 18);
    barra->addWidget(pagina_);
    barra->addWidget(Button(w.cmdSiguiente, [&w] { w.cmdSiguiente_Click(); }));
    barra->addWidget(Button(w.cmdUltima, [&w] { w.cmdUltima_Click(); }));
    barra->addSpacing(16);
    auto *menos = new QPushButton(QStringLiteral("−"), this);
    auto *mas = new QPushButton(QStringLiteral("+"), this);
    connect(menos, &QPushButton::clicked, this, [this] { Run([this] { w_.ReducirZoom(); }); });
    connect(mas, &QPushButton::clicked, this, [this] { Run([this] { w_.AumentarZoom(); }); });
    zoom_ = new QLabel(this);
    zoom_->setMinimumWidth(fontMetrics().averageCharWidth() * 6);
    zoom_->setAlignment(Qt::AlignCenter);
    barra->addWidget(menos);
    barra->addWidget(zoom_);
    barra->addWidget(mas);
    barra->addStretch(1);
    barra->addWidget(Button(w.cmdImprimir, [&w] { w.cmdImprimir_Click(); }));
    barra->addWidget(Button(w.cmdPdf, [this] { GuardarPdf(); }));
    barra->addWidget(Button(w.cmdCerrar, [&w] { w.cmdCerrar_Click(); }));
    root_->addLayout(barra);

    scroll_ = new QScrollArea(this);
    scroll_->setBackgroundRole(QPalette::Dark);
    scroll_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    hoja_ = new Hoja(w, scroll_);
    scroll_->setWidget(hoja_);
    root_->addWidget(scroll_, 1);
    Key(Qt::Key_PageDown, [&w] { w.cmdSiguiente_Click(); });
    Key(Qt::Key_PageUp, [&w] { w.cmdAnterior_Click(); });
    Key(Qt::Key_Home, [&w] { w.cmdPrimera_Click(); });
    Key(Qt::Key_End, [&w] { w.cmdUltima_Click(); });
    Key(Qt::Key_Plus, [&w] { w.AumentarZoom(); });
    Key(Qt::Key_Minus, [&w] { w.ReducirZoom(); });
    resize(1000, 760);
    FirstFocus([this] { return scroll_; });
}

void frmViewView::Redraw() {
    pagina_->setText(QStringLiteral("Página %1 de %2").arg(w_.pagina).arg(w_.Paginas()));
    zoom_->setText(QStringLiteral("%1 %").arg(w_.Zoom));
    hoja_->resize(static_cast<Hoja *>(hoja_)->Tamano());
    hoja_->update();
}

void frmViewView::GuardarPdf() {
    if (!w_.Report) {
        return;
    }
    std::string nombre = w_.Report->titulo.empty() ? "Informe" : w_.Report->titulo;
    std::string fichero = w_.Ui().SaveFile("Guardar como PDF", {{"Documentos PDF (*.pdf)", "*.pdf"}}, nombre + ".pdf");
    if (fichero.empty()) {
        return;
    }
    try {
        GuardarReportePdf(*w_.Report, QString::fromStdString(fichero));
    } catch (const std::exception &e) {
        QMessageBox::critical(this, QString::fromStdString(w_.caption), QString::fromStdString(e.what()));
    }
}

} // namespace ui
