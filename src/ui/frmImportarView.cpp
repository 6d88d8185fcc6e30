#include "ui/frmImportarView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace ui {

frmImportarView::frmImportarView(statements::frmImportar &w, QWidget *parent) : QDialog(parent), w_(w) {
    setWindowTitle(QString::fromStdString(w_.titulo));
    auto *root = new QVBoxLayout(this);
    auto *fila = new QHBoxLayout();
    fila->addWidget(new QLabel(QString::fromStdString(w_.txtRuta.caption), this));
    ruta_ = new QLineEdit(this);
    ruta_->setMinimumWidth(420);
    fila->addWidget(ruta_, 1);
    examinar_ = new QToolButton(this);
    examinar_->setText(QString::fromStdString(w_.cmdExaminar.caption));
    fila->addWidget(examinar_);
    root->addLayout(fila);
    auto *botones = new QHBoxLayout();
    botones->addStretch(1);
    importar_ = new QPushButton(QString::fromStdString(w_.cmdImportar.caption), this);
    salir_ = new QPushButton(QString::fromStdString(w_.cmdSalir.caption), this);
    importar_->setDefault(true);
    botones->addWidget(importar_);
    botones->addWidget(salir_);
    root->addLayout(botones);

    connect(ruta_, &QLineEdit::textEdited, this, [this](const QString &t) { w_.txtRuta.text = t.toStdString(); });
    connect(examinar_, &QToolButton::clicked, this, [this] { Accion([this] { w_.cmdExaminar_Click(); }); });
    connect(importar_, &QPushButton::clicked, this, [this] {
        Accion([this] {
            w_.txtRuta.text = ruta_->text().toStdString();
            w_.cmdImportar_Click();
        });
    });
    connect(salir_, &QPushButton::clicked, this, [this] { Accion([this] { w_.cmdSalir_Click(); }); });
    ruta_->setFocus();
}

template <class F> void frmImportarView::Accion(F &&f) {
    f();
    if (!w_.Loaded()) {
        if (w_.ruta.empty()) {
            QDialog::reject();
        } else {
            QDialog::accept();
        }
        return;
    }
    Refresh();
}

void frmImportarView::Refresh() { ruta_->setText(QString::fromStdString(w_.txtRuta.text)); }

QWidget *frmImportarView::ControlWidget(const std::string &name) {
    if (name == "cmdExaminar") {
        return examinar_;
    }
    if (name == "cmdImportar") {
        return importar_;
    }
    return ruta_;
}

void frmImportarView::reject() {
    if (w_.Loaded()) {
        w_.Form_KeyDown_Escape();
    }
    QDialog::reject();
}

} // namespace ui
