#include "ui/frmImportarView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {

frmImportarView::frmImportarView(statements::frmImportar &w, QWidget *parent) : WindowView(w, parent) {
    Caption(w.titulo);
    auto *fila = new QHBoxLayout();
    fila->addWidget(Label(w.txtRuta));
    QLineEdit *ruta = Text(w.txtRuta, {}, [&w] { w.cmdImportar_Click(); });
    ruta->setMinimumWidth(ruta->fontMetrics().averageCharWidth() * 60);
    fila->addWidget(ruta, 1);
    fila->addWidget(Button(w.cmdExaminar, [&w] { w.cmdExaminar_Click(); }));
    root_->addLayout(fila);
    ButtonRow({}, {Button(w.cmdImportar, [&w] { w.cmdImportar_Click(); }),
                   Button(w.cmdSalir, [&w] { w.cmdSalir_Click(); })});
    FirstFocus([ruta] { return ruta; });
}

} // namespace ui
