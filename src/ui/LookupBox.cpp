#include "ui/LookupBox.h"

#include "ui/Textos.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace ui {

namespace {

// The name beside the code asks for its whole width, so that a window that has the room shows it
// uncut; the user may still make the window narrower.
class CajaNombre : public QLineEdit {
  public:
    using QLineEdit::QLineEdit;
    QSize sizeHint() const override {
        QSize s = QLineEdit::sizeHint();
        s.setWidth(std::max(minimumWidth(), fontMetrics().horizontalAdvance(text()) + 16));
        return s;
    }
};

} // namespace

LookupBox::LookupBox(bool numerico, int caracteres, QWidget *parent) : QWidget(parent), numerico_(numerico) {
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    codigo_ = new QLineEdit(this);
    codigo_->setFixedWidth(codigo_->fontMetrics().horizontalAdvance(QString(caracteres + 1, QChar('0'))) + 12);
    if (numerico) {
        codigo_->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,9}"), codigo_));
        codigo_->setAlignment(Qt::AlignRight);
    }
    codigo_->setToolTip(QStringLiteral("F4: lista de búsqueda"));
    codigo_->installEventFilter(this);
    lista_ = new QToolButton(this);
    lista_->setText(QStringLiteral("..."));
    lista_->setFocusPolicy(Qt::NoFocus);
    nombre_ = new CajaNombre(this);
    nombre_->setReadOnly(true);
    nombre_->setFocusPolicy(Qt::NoFocus);
    nombre_->setMinimumWidth(120);
    QPalette p = nombre_->palette();
    p.setColor(QPalette::Base, palette().color(QPalette::Window));
    nombre_->setPalette(p);
    layout->addWidget(codigo_);
    layout->addWidget(lista_);
    layout->addWidget(nombre_, 1);

    connect(codigo_, &QLineEdit::editingFinished, this, [this] {
        if (codigo_->text() != ultimo_) {
            ultimo_ = codigo_->text();
            emit codigoCambiado();
        }
    });
    connect(codigo_, &QLineEdit::returnPressed, this, [this] { emit enterPulsado(); });
    connect(lista_, &QToolButton::clicked, this, [this] { AbrirLista(); });
}

void LookupBox::Mostrar(const std::string &codigo, const std::string &nombre, bool enabled, bool locked) {
    if (!codigo_->hasFocus() || codigo_->text() == ultimo_) {
        if (codigo_->text() != Q(codigo)) {
            codigo_->setText(Q(codigo));
        }
        ultimo_ = codigo_->text();
    }
    nombre_->setText(Q(nombre));
    nombre_->updateGeometry();
    nombre_->setCursorPosition(0);
    setEnabled(enabled);
    codigo_->setReadOnly(locked);
    lista_->setEnabled(!locked);
}

std::string LookupBox::Codigo() const { return codigo_->text().trimmed().toStdString(); }

bool LookupBox::eventFilter(QObject *watched, QEvent *event) {
    if (watched == codigo_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_F4) {
        AbrirLista();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

bool LookupBox::AbrirLista() {
    if (!buscar_ || codigo_->isReadOnly()) {
        return false;
    }
    QDialog dlg(window());
    dlg.setWindowTitle(QStringLiteral("Búsqueda"));
    auto *v = new QVBoxLayout(&dlg);
    auto *filtro = new QLineEdit(&dlg);
    filtro->setPlaceholderText(QStringLiteral("Código o nombre..."));
    auto *tabla = new QTableWidget(0, 2, &dlg);
    tabla->setHorizontalHeaderLabels({QStringLiteral("Código"), QStringLiteral("Nombre")});
    tabla->horizontalHeader()->setStretchLastSection(true);
    tabla->verticalHeader()->hide();
    tabla->setSelectionBehavior(QAbstractItemView::SelectRows);
    tabla->setSelectionMode(QAbstractItemView::SingleSelection);
    tabla->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto *botones = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dlg);
    botones->button(QDialogButtonBox::Ok)->setText(QStringLiteral("&Aceptar"));
    botones->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("&Cancelar"));
    v->addWidget(filtro);
    v->addWidget(tabla);
    v->addWidget(botones);
    auto cargar = [&] {
        auto filas = buscar_(filtro->text().trimmed().toStdString());
        tabla->setRowCount(static_cast<int>(filas.size()));
        for (int i = 0; i < static_cast<int>(filas.size()); ++i) {
            tabla->setItem(i, 0, new QTableWidgetItem(Q(filas[static_cast<std::size_t>(i)].codigo)));
            tabla->setItem(i, 1, new QTableWidgetItem(Q(filas[static_cast<std::size_t>(i)].nombre)));
        }
        tabla->resizeColumnToContents(0);
        if (!filas.empty()) {
            tabla->selectRow(0);
        }
    };
    connect(filtro, &QLineEdit::textChanged, &dlg, cargar);
    connect(tabla, &QTableWidget::cellDoubleClicked, &dlg, &QDialog::accept);
    connect(botones, &QDialogButtonBox::accepted, &dlg, &QDialog::accept);
    connect(botones, &QDialogButtonBox::rejected, &dlg, &QDialog::reject);
    cargar();
    dlg.resize(520, 420);
    if (dlg.exec() != QDialog::Accepted || tabla->currentRow() < 0) {
        return false;
    }
    codigo_->setText(tabla->item(tabla->currentRow(), 0)->text());
    ultimo_ = codigo_->text();
    emit codigoCambiado();
    codigo_->setFocus();
    return true;
}

} // namespace ui
