#include "ui/InformeView.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QVBoxLayout>

#ifdef PC_HAS_PRINTSUPPORT
#include <QPrintDialog>
#include <QPrinter>
#endif

#include <algorithm>
#include <cmath>

namespace ui {

namespace {

QString Q(const std::string &s) { return QString::fromStdString(s); }

constexpr double kAnchoA4 = 210.0, kAltoA4 = 297.0; // mm

// Sizes in fractional points rather than whole pixels, so that a small preview keeps the page's proportions.
QFont Fuente(const QPainter &p, double pixeles, bool negrita = false) {
    QFont f(QStringLiteral("Sans Serif"));
    f.setStyleHint(QFont::SansSerif);
    int dpi = p.device() ? p.device()->logicalDpiY() : 96;
    f.setPointSizeF(std::max(0.5, pixeles * 72.0 / std::max(dpi, 1)));
    f.setBold(negrita);
    return f;
}

// A column is right-aligned when every filled cell of it is a number ("1.234,56", "-12").
bool ColumnaNumerica(const host::Informe &inf, std::size_t c) {
    static const QRegularExpression numero(QStringLiteral("^-?[0-9.]*[0-9](,[0-9]+)?$"));
    bool alguna = false;
    for (const auto &fila : inf.filas) {
        if (c >= fila.size() || fila[c].empty()) {
            continue;
        }
        if (!numero.match(Q(fila[c])).hasMatch()) {
            return false;
        }
        alguna = true;
    }
    return alguna;
}

// The page itself in the preview: white, A4-shaped, as large as the window lets it be.
class Hoja : public QWidget {
  public:
    Hoja(const host::Informe &informe, QWidget *parent) : QWidget(parent), informe_(informe) {
        setMinimumSize(420, 594);
        setAutoFillBackground(true);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
        setPalette(pal);
    }

  protected:
    void paintEvent(QPaintEvent *) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        const double borde = 12;
        double alto = height() - 2 * borde, ancho = alto * kAnchoA4 / kAltoA4;
        if (ancho > width() - 2 * borde) {
            ancho = width() - 2 * borde;
            alto = ancho * kAltoA4 / kAnchoA4;
        }
        QRectF pagina((width() - ancho) / 2, (height() - alto) / 2, ancho, alto);
        p.fillRect(pagina.translated(3, 3), QColor(0x50, 0x50, 0x50));
        PintarInforme(p, pagina, informe_);
    }

  private:
    const host::Informe &informe_;
};

} // namespace

void PintarInforme(QPainter &p, const QRectF &pagina, const host::Informe &inf) {
    p.save();
    p.fillRect(pagina, Qt::white);
    const double mm = pagina.width() / kAnchoA4;
    const QRectF area = pagina.adjusted(15 * mm, 15 * mm, -15 * mm, -15 * mm);
    const QColor tinta(Qt::black), gris(0x60, 0x60, 0x60), linea(0xa0, 0xa0, 0xa0);
    double y = area.top();

    auto texto = [&](const QFont &f, const QColor &c, const QRectF &r, int flags, const QString &t) {
        p.setFont(f);
        p.setPen(c);
        QFontMetricsF fm(f, p.device());
        p.drawText(r, flags, fm.elidedText(t, Qt::ElideRight, r.width()));
    };
    auto raya = [&](double alto, double grosor, const QColor &c) {
        p.setPen(QPen(c, grosor * mm));
        p.drawLine(QPointF(area.left(), alto), QPointF(area.right(), alto));
    };

    // Title, subtitle and a rule under them.
    QFont titulo = Fuente(p, 6 * mm, true);
    double h = QFontMetricsF(titulo, p.device()).height();
    texto(titulo, tinta, QRectF(area.left(), y, area.width(), h), Qt::AlignLeft | Qt::AlignVCenter, Q(inf.titulo));
    y += h;
    if (!inf.subtitulo.empty()) {
        QFont sub = Fuente(p, 4 * mm);
        double hs = QFontMetricsF(sub, p.device()).height();
        texto(sub, gris, QRectF(area.left(), y, area.width(), hs), Qt::AlignLeft | Qt::AlignVCenter,
              Q(inf.subtitulo));
        y += hs;
    }
    y += 2 * mm;
    raya(y, 0.5, tinta);
    y += 4 * mm;

    // The labelled values: labels in bold in a column of their own.
    QFont etiqueta = Fuente(p, 3.2 * mm, true), valor = Fuente(p, 3.2 * mm);
    double hd = QFontMetricsF(valor, p.device()).height() * 1.25;
    double anchoEtiqueta = 0;
    for (const auto &[e, v] : inf.datos) {
        anchoEtiqueta = std::max(anchoEtiqueta, QFontMetricsF(etiqueta, p.device()).horizontalAdvance(Q(e)));
    }
    anchoEtiqueta = std::min(anchoEtiqueta + 4 * mm, area.width() / 2);
    for (const auto &[e, v] : inf.datos) {
        texto(etiqueta, tinta, QRectF(area.left(), y, anchoEtiqueta, hd), Qt::AlignLeft | Qt::AlignVCenter, Q(e));
        texto(valor, tinta, QRectF(area.left() + anchoEtiqueta, y, area.width() - anchoEtiqueta, hd),
              Qt::AlignLeft | Qt::AlignVCenter, Q(v));
        y += hd;
    }
    if (!inf.datos.empty()) {
        y += 4 * mm;
    }

    // The footer's place is kept free whatever the table's length.
    QFont pie = Fuente(p, 2.8 * mm);
    double hp = QFontMetricsF(pie, p.device()).height();
    double limite = area.bottom() - hp - 3 * mm;

    if (!inf.columnas.empty()) {
        QFont cabecera = Fuente(p, 2.9 * mm, true), celda = Fuente(p, 2.9 * mm);
        QFontMetricsF fmc(cabecera, p.device()), fm(celda, p.device());
        const double relleno = 1.5 * mm;
        std::size_t n = inf.columnas.size();
        // Each column as wide as its longest text, then all scaled to the printable width.
        std::vector<double> anchos(n, 0);
        std::vector<bool> derecha(n);
        for (std::size_t c = 0; c < n; ++c) {
            anchos[c] = fmc.horizontalAdvance(Q(inf.columnas[c]));
            for (const auto &fila : inf.filas) {
                if (c < fila.size()) {
                    anchos[c] = std::max(anchos[c], fm.horizontalAdvance(Q(fila[c])));
                }
            }
            anchos[c] += 2 * relleno;
            derecha[c] = ColumnaNumerica(inf, c);
        }
        double suma = 0;
        for (double a : anchos) {
            suma += a;
        }
        for (double &a : anchos) {
            a = a * area.width() / std::max(suma, 1.0);
        }
        double hf = fm.height() * 1.35;
        auto filaTabla = [&](const std::vector<std::string> &celdas, const QFont &f) {
            double x = area.left();
            for (std::size_t c = 0; c < n; ++c) {
                QRectF r(x + relleno, y, anchos[c] - 2 * relleno, hf);
                int flags = (derecha[c] ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
                texto(f, tinta, r, flags, c < celdas.size() ? Q(celdas[c]) : QString());
                x += anchos[c];
            }
            y += hf;
        };
        p.fillRect(QRectF(area.left(), y, area.width(), hf), QColor(0xe4, 0xe4, 0xe4));
        filaTabla(inf.columnas, cabecera);
        raya(y, 0.3, tinta);
        // One page: when the rows do not all fit, the last place left tells how many are missing.
        std::size_t caben = static_cast<std::size_t>(std::max(0.0, std::floor((limite - y) / hf)));
        std::size_t pintar = inf.filas.size() <= caben ? inf.filas.size() : (caben > 0 ? caben - 1 : 0);
        for (std::size_t i = 0; i < pintar; ++i) {
            filaTabla(inf.filas[i], celda);
            raya(y, 0.1, linea);
        }
        if (pintar < inf.filas.size() && caben > 0) {
            texto(celda, gris, QRectF(area.left(), y, area.width(), hf), Qt::AlignLeft | Qt::AlignVCenter,
                  QStringLiteral("... y %1 líneas más").arg(inf.filas.size() - pintar));
        }
    }

    if (!inf.pie.empty()) {
        raya(area.bottom() - hp - 1.5 * mm, 0.2, linea);
        texto(pie, gris, QRectF(area.left(), area.bottom() - hp, area.width(), hp), Qt::AlignLeft | Qt::AlignVCenter,
              Q(inf.pie));
    }
    p.restore();
}

void PintarInforme(QPaintDevice &device, const host::Informe &informe) {
    QPainter p(&device);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    PintarInforme(p, QRectF(0, 0, device.width(), device.height()), informe);
}

bool GuardarInformePdf(const host::Informe &informe, const QString &fichero) {
    QPdfWriter pdf(fichero);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setResolution(300);
    pdf.setTitle(Q(informe.titulo));
    pdf.setCreator(QStringLiteral("Pagos Centralizados"));
    QPainter p;
    if (!p.begin(&pdf)) {
        return false;
    }
    PintarInforme(p, QRectF(0, 0, pdf.width(), pdf.height()), informe);
    return p.end() && QFileInfo(fichero).size() > 0;
}

InformeView::InformeView(const host::Informe &informe, QWidget *parent) : QDialog(parent), informe_(informe) {
    setWindowTitle(Q(informe_.titulo));
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);
    auto *root = new QVBoxLayout(this);
    root->addWidget(new Hoja(informe_, this), 1);
    auto *botones = new QHBoxLayout();
    botones->addStretch();
#ifdef PC_HAS_PRINTSUPPORT
    auto *imprimir = new QPushButton(QStringLiteral("Imprimir"), this);
    imprimir->setAutoDefault(false);
    connect(imprimir, &QPushButton::clicked, this, &InformeView::Imprimir);
    botones->addWidget(imprimir);
#endif
    auto *pdf = new QPushButton(QStringLiteral("Guardar PDF..."), this);
    auto *cerrar = new QPushButton(QStringLiteral("Cerrar"), this);
    pdf->setAutoDefault(false);
    cerrar->setDefault(true);
    connect(pdf, &QPushButton::clicked, this, &InformeView::GuardarPdf);
    connect(cerrar, &QPushButton::clicked, this, &QDialog::accept);
    botones->addWidget(pdf);
    botones->addWidget(cerrar);
    root->addLayout(botones);

    int alto = 900;
    if (auto *screen = QGuiApplication::primaryScreen()) {
        alto = std::min(alto, screen->availableGeometry().height() - 60);
    }
    resize(static_cast<int>(alto * kAnchoA4 / kAltoA4) + 40, alto);
}

void InformeView::Imprimir() {
#ifdef PC_HAS_PRINTSUPPORT
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(Q(informe_.titulo));
    // The page's own margins leave room for what the printer cannot reach.
    printer.setFullPage(true);
    QPrintDialog dialogo(&printer, this);
    if (dialogo.exec() != QDialog::Accepted) {
        return;
    }
    QPainter p;
    if (!p.begin(&printer)) {
        QMessageBox::warning(this, QStringLiteral("¡ Atención !"), QStringLiteral("No se ha podido imprimir."));
        return;
    }
    PintarInforme(p, QRectF(QPointF(0, 0), printer.paperRect(QPrinter::DevicePixel).size()), informe_);
    p.end();
#endif
}

void InformeView::GuardarPdf() {
    QString nombre = Q(informe_.titulo).trimmed();
    nombre.replace(QRegularExpression(QStringLiteral("[\\\\/:*?\"<>|]+")), QStringLiteral("_"));
    if (nombre.isEmpty()) {
        nombre = QStringLiteral("documento");
    }
    QString fichero = QFileDialog::getSaveFileName(this, QStringLiteral("Guardar PDF"),
                                                   QDir::home().filePath(nombre + QStringLiteral(".pdf")),
                                                   QStringLiteral("Documentos PDF (*.pdf)"));
    if (fichero.isEmpty()) {
        return;
    }
    if (!fichero.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
        fichero += QStringLiteral(".pdf");
    }
    if (!GuardarInformePdf(informe_, fichero)) {
        QMessageBox::warning(this, QStringLiteral("¡ Atención !"),
                             QStringLiteral("No se ha podido guardar el fichero:\n%1").arg(fichero));
    }
}

} // namespace ui
