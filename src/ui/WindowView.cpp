#include "ui/WindowView.h"

#include "lines/Comun.h"
#include "suite/Configuracion.h"
#include "ui/DateBox.h"
#include "ui/GridModel.h"
#include "ui/GridView.h"
#include "ui/Textos.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace ui {

namespace {

std::shared_ptr<suite::Configuracion> &Ajustes() {
    static std::shared_ptr<suite::Configuracion> ajustes;
    return ajustes;
}

// What a lookup box shows of its field: a numeric code blank for none, else the text as typed.
std::string Mostrado(const host::LookupField &f, bool numerico) {
    if (numerico) {
        return f.code >= 1 ? std::to_string(f.code) : std::string();
    }
    return f.text;
}

void Comun(QWidget *w, const host::Control &c) {
    w->setVisible(c.visible);
    w->setEnabled(c.enabled);
}

} // namespace

suite::Configuracion &AjustesVistas() {
    if (!Ajustes()) {
        Ajustes() = std::make_shared<suite::Configuracion>();
    }
    return *Ajustes();
}

void UsarAjustesVistas(std::shared_ptr<suite::Configuracion> ajustes) { Ajustes() = std::move(ajustes); }

void AplicarPosicion(QWidget *ventana, const lines::PosicionVentana &p) {
    if (p.width <= 0 || p.height <= 0) {
        return;
    }
    QRect r(TwipsToPixels(p.left), TwipsToPixels(p.top), TwipsToPixels(p.width), TwipsToPixels(p.height));
    // A position saved on a screen that is no longer there would leave the window out of reach.
    if (auto *screen = QGuiApplication::primaryScreen()) {
        QRect disponible = screen->availableVirtualGeometry();
        r.setWidth(std::min(r.width(), disponible.width()));
        r.setHeight(std::min(r.height(), disponible.height()));
        if (!disponible.intersects(r)) {
            r.moveTopLeft(disponible.topLeft());
        }
    }
    ventana->resize(r.size());
    ventana->move(r.topLeft());
}

lines::PosicionVentana PosicionDe(const QWidget *ventana) {
    lines::PosicionVentana p;
    p.left = PixelsToTwips(ventana->x());
    p.top = PixelsToTwips(ventana->y());
    p.width = PixelsToTwips(ventana->width());
    p.height = PixelsToTwips(ventana->height());
    return p;
}

WindowView::WindowView(host::Window &window, Handler escape, QWidget *parent)
    : QDialog(parent), window_(window), escape_(std::move(escape)) {
    root_ = new QVBoxLayout(this);
}

// A view may outlive its controller by a moment (a controller closed from outside the view): its
// widgets, hidden and torn down now, must neither read nor write the controller's state.
WindowView::~WindowView() {
    drawing_ = true;
    for (GridView *g : findChildren<GridView *>()) {
        g->Desvincular();
    }
}

void WindowView::Bind(const std::string &name, QWidget *focus, Handler show, Handler commit) {
    bindings_.push_back({name, focus, std::move(show), std::move(commit)});
}

void WindowView::Run(const Handler &action) {
    if (drawing_ || !window_.Loaded()) {
        return;
    }
    SavePosition();
    for (const auto &b : bindings_) {
        if (b.commit) {
            b.commit();
        }
    }
    if (action) {
        action();
    }
    if (!window_.Loaded()) {
        if (isModal()) {
            done(QDialog::Accepted);
        } else {
            close();
        }
        return;
    }
    Refresh();
}

void WindowView::Refresh() {
    drawing_ = true;
    if (caption_) {
        setWindowTitle(Q(*caption_));
    }
    for (const auto &b : bindings_) {
        b.show();
    }
    Redraw();
    drawing_ = false;
}

QWidget *WindowView::ControlWidget(const std::string &name) {
    // A field's caption is bound under the field's name too: the field itself wins.
    QWidget *found = nullptr;
    for (const auto &b : bindings_) {
        if (b.name == name && (!found || qobject_cast<QLabel *>(found))) {
            found = b.focus;
        }
    }
    return found;
}

QLabel *WindowView::Label(const host::Control &control) {
    auto *l = new QLabel(Q(control.caption), this);
    Bind(control.name, l, [l, &control] {
        l->setText(Q(control.caption));
        l->setVisible(control.visible);
    });
    return l;
}

QLabel *WindowView::Label(const char *text) { return new QLabel(QString::fromUtf8(text), this); }

QLineEdit *WindowView::Text(host::TextField &field, Handler change, Handler enter) {
    auto *e = new QLineEdit(this);
    connect(e, &QLineEdit::textEdited, this, [this, e, &field, change](const QString &t) {
        if (!drawing_) {
            field.text = t.toStdString();
            if (change) {
                Run(change);
            }
        }
    });
    connect(e, &QLineEdit::returnPressed, this, [this, enter] {
        if (enter) {
            Run(enter);
        } else {
            focusNextChild();
        }
    });
    Bind(field.name, e, [e, &field] {
        Texto(e, field.text);
        e->setReadOnly(field.locked);
        Comun(e, field);
    }, [e, &field, change] {
        if (e->text() != Q(field.text)) {
            field.text = e->text().toStdString();
            if (change) {
                change();
            }
        }
    });
    return e;
}

QPlainTextEdit *WindowView::MultiLine(host::TextField &field, int lines) {
    auto *e = new QPlainTextEdit(this);
    e->setTabChangesFocus(true);
    e->setFixedHeight(e->fontMetrics().lineSpacing() * lines + 2 * e->frameWidth() + 8);
    connect(e, &QPlainTextEdit::textChanged, this, [this, e, &field] {
        if (!drawing_) {
            field.text = e->toPlainText().toStdString();
        }
    });
    // The box shows CR LF and CR as line breaks; a text the user did not touch keeps its own.
    auto mostrado = [&field] {
        QString t = Q(field.text);
        t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        return t;
    };
    Bind(field.name, e, [e, &field, mostrado] {
        if (e->toPlainText() != mostrado()) {
            e->setPlainText(mostrado());
        }
        e->setReadOnly(field.locked || !field.enabled);
        e->setVisible(field.visible);
    }, [e, &field, mostrado] {
        if (e->toPlainText() != mostrado()) {
            field.text = e->toPlainText().toStdString();
        }
    });
    return e;
}

DateBox *WindowView::Date(host::DateField &field, Handler change, Handler enter) {
    auto *d = new DateBox(this);
    connect(d, &DateBox::fechaEditada, this, [this, d, &field, change] {
        if (!drawing_) {
            field.text = d->Texto();
            if (change) {
                Run(change);
            }
        }
    });
    // Enter reaches the controller whatever the box holds: it is the one to say a date is wrong.
    connect(d, &QLineEdit::returnPressed, this, [this, d, &field, enter] {
        if (drawing_) {
            return;
        }
        field.text = d->Texto();
        if (enter) {
            Run(enter);
        } else {
            focusNextChild();
        }
    });
    Bind(field.name, d, [d, &field] {
        d->Mostrar(field.text);
        d->setReadOnly(field.locked);
        Comun(d, field);
    }, [d, &field, change] {
        if (d->Texto() != field.text) {
            field.text = d->Texto();
            if (change) {
                change();
            }
        }
    });
    return d;
}

LookupBox *WindowView::Lookup(host::LookupField &field, bool numeric, int characters, LookupBox::Buscar search,
                              Handler change, Handler enter) {
    auto *b = new LookupBox(numeric, characters, this);
    b->SetBuscar(std::move(search));
    // A typed code reaches the field, and its change handler runs, before any other action.
    auto commit = [b, &field, numeric, change] {
        if (b->Codigo() == Mostrado(field, numeric)) {
            return;
        }
        field.text = b->Codigo();
        if (numeric) {
            field.code = lines::comun::Numero(field.text);
        }
        if (change) {
            change();
        }
    };
    connect(b, &LookupBox::codigoCambiado, this, [this] { Run({}); });
    connect(b, &LookupBox::enterPulsado, this, [this, enter] {
        if (enter) {
            Run(enter);
        } else {
            Run({});
            focusNextChild();
        }
    });
    Bind(field.name, b->CodigoEdit(), [b, &field, numeric] {
        b->Mostrar(Mostrado(field, numeric), field.descripcion, field.enabled, field.locked);
        b->setVisible(field.visible);
    }, commit);
    return b;
}

QCheckBox *WindowView::Check(host::CheckField &field, Handler click) {
    auto *c = new QCheckBox(Q(field.caption), this);
    connect(c, &QCheckBox::clicked, this, [this, &field, click](bool on) {
        if (!drawing_) {
            field.value = on;
            Run(click);
        }
    });
    Bind(field.name, c, [c, &field] {
        c->setText(Q(field.caption));
        c->setChecked(field.value);
        Comun(c, field);
    }, [c, &field] { field.value = c->isChecked(); });
    return c;
}

QRadioButton *WindowView::Option(host::CheckField &field) {
    auto *r = new QRadioButton(Q(field.caption), this);
    connect(r, &QRadioButton::toggled, this, [this, &field](bool on) {
        if (!drawing_) {
            field.value = on;
        }
    });
    Bind(field.name, r, [r, &field] {
        r->setChecked(field.value);
        Comun(r, field);
    }, [r, &field] { field.value = r->isChecked(); });
    return r;
}

QComboBox *WindowView::Combo(host::ComboField &field, Handler click) {
    auto *c = new QComboBox(this);
    connect(c, &QComboBox::currentIndexChanged, this, [this, &field, click](int i) {
        if (!drawing_) {
            field.index = i;
            Run(click);
        }
    });
    Bind(field.name, c, [c, &field] {
        bool iguales = c->count() == static_cast<int>(field.items.size());
        for (int i = 0; iguales && i < c->count(); ++i) {
            iguales = c->itemText(i) == Q(field.items[static_cast<std::size_t>(i)].text);
        }
        if (!iguales) {
            c->clear();
            for (const auto &it : field.items) {
                c->addItem(Q(it.text));
            }
        }
        c->setCurrentIndex(field.index);
        Comun(c, field);
    }, [c, &field] { field.index = c->currentIndex(); });
    return c;
}

QPushButton *WindowView::Button(host::Button &button, Handler click) {
    auto *p = new QPushButton(Q(button.caption), this);
    p->setObjectName(Q(button.name));
    p->setAutoDefault(false);
    connect(p, &QPushButton::clicked, this, [this, click] { Run(click); });
    Bind(button.name, p, [p, &button] {
        p->setText(Q(button.caption));
        Comun(p, button);
    });
    return p;
}

QGroupBox *WindowView::Frame(const host::Control &control) {
    auto *g = new QGroupBox(Q(control.caption), this);
    Bind(control.name, g, [g, &control] {
        g->setTitle(Q(control.caption));
        Comun(g, control);
    });
    return g;
}

GridView *WindowView::Grid(host::Grid &grid, const std::string &name, GridHandlers h,
                           std::vector<std::pair<int, int>> elastic) {
    auto *g = new GridView(grid, this);
    g->Elasticas(std::move(elastic));
    g->RecordarAnchos(&AjustesVistas(), window_.ClassName() + "\\Columnas", name);
    if (h.click) {
        connect(g, &QTableView::clicked, this, [this, click = h.click](const QModelIndex &i) {
            if (i.isValid()) {
                Run([&] { click(i.row() + 1, i.column()); });
            }
        });
    }
    if (h.rowChange) {
        connect(g->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                [this, change = h.rowChange](const QModelIndex &cur) {
                    if (cur.isValid()) {
                        Run([&] { change(cur.row() + 1); });
                    }
                });
    }
    if (h.dblClick) {
        connect(g, &QTableView::doubleClicked, this, [this, &grid, dbl = h.dblClick](const QModelIndex &i) {
            if (i.isValid() && !drawing_) {
                grid.row = i.row() + 1;
                Run(dbl);
            }
        });
    }
    // Enter does what a double-click does unless the window says otherwise.
    Handler enter = h.enter ? h.enter : h.dblClick;
    connect(g, &GridView::enterPulsado, this, [this, enter] { Run(enter); });
    connect(g, &GridView::espacioPulsado, this, [this, space = h.space] { Run(space); });
    connect(g, &GridView::arribaEnPrimera, this, [this, up = h.upAtTop] {
        if (up) {
            Run(up);
        }
    });
    host::CheckField *header = h.header;
    if (header) {
        connect(g, &GridView::cabeceraPulsada, this, [this, header, click = h.headerClick](bool on) {
            if (!drawing_) {
                header->value = on;
                Run(click);
            }
        });
    }
    Bind(name, g, [g, header] { g->Mostrar(header && header->value); });
    if (header) {
        Bind(header->name, g->CheckCabecera(), [] {});
    }
    return g;
}

QHBoxLayout *WindowView::ButtonRow(std::initializer_list<QPushButton *> left,
                                   std::initializer_list<QPushButton *> right) {
    auto *row = new QHBoxLayout();
    for (QPushButton *p : left) {
        row->addWidget(p);
    }
    row->addStretch();
    for (QPushButton *p : right) {
        row->addWidget(p);
    }
    root_->addLayout(row);
    return row;
}

void WindowView::Key(int key, Handler action) { keys_[key] = std::move(action); }

void WindowView::KeepPosition(lines::PosicionVentana &position) {
    position_ = &position;
    restored_ = position.width > 0;
    AplicarPosicion(this, position);
}

void WindowView::FitToGrid(GridView *grid, int minWidth, int height) {
    resize(std::max(minWidth, grid->AnchoColumnas() + 60), height);
    if (position_) {
        AplicarPosicion(this, *position_);
    }
}

void WindowView::FitWhenChanged(int shape) {
    if (shape != shape_) {
        shape_ = shape;
        adjustSize();
    }
}

void WindowView::SavePosition() {
    if (position_ && window_.Loaded()) {
        *position_ = PosicionDe(this);
    }
}

void WindowView::reject() {
    // Escape and the close box go through the controller too.
    if (window_.Loaded()) {
        SavePosition();
        escape_();
    }
    QDialog::reject();
}

void WindowView::keyPressEvent(QKeyEvent *event) {
    auto it = keys_.find(event->key());
    if (it != keys_.end()) {
        Run(it->second);
        return;
    }
    QDialog::keyPressEvent(event);
}

void WindowView::moveEvent(QMoveEvent *event) {
    QDialog::moveEvent(event);
    SavePosition();
}

void WindowView::resizeEvent(QResizeEvent *event) {
    QDialog::resizeEvent(event);
    SavePosition();
}

void WindowView::showEvent(QShowEvent *event) {
    Refresh();
    // Wide enough for what the fields hold now, unless the user's own size comes back.
    if (!restored_) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        resize(std::max(width(), sizeHint().width()), height());
    }
    QDialog::showEvent(event);
    if (firstFocus_) {
        if (QWidget *w = firstFocus_()) {
            w->setFocus();
        }
    }
}

} // namespace ui
