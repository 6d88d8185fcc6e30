#include "ui/QtShell.h"

#include "host/Window.h"
#include "ui/GridModel.h"
#include "ui/InformeView.h"
#include "ui/PintorReporte.h"
#include "ui/Markup.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QEventLoop>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QStyle>
#include <QTimer>

namespace ui {

namespace {

QString Q(const std::string &s) { return QString::fromStdString(s); }

} // namespace

QString FilterText(const std::vector<host::FileFilter> &filters) {
    QStringList parts;
    for (const auto &f : filters) {
        // A description that already shows its pattern ("Fichero (*.txt)") is not given it twice.
        bool muestra = f.description.find("(" + f.pattern + ")") != std::string::npos;
        parts << Q(muestra ? f.description : f.description + " (" + f.pattern + ")");
    }
    return parts.join(";;");
}

namespace {

QMessageBox::Icon ToQt(host::Icon icon) {
    switch (icon) {
    case host::Icon::Critical:
        return QMessageBox::Critical;
    case host::Icon::Warning:
        return QMessageBox::Warning;
    case host::Icon::Information:
        return QMessageBox::Information;
    case host::Icon::Question:
        return QMessageBox::Question;
    default:
        return QMessageBox::NoIcon;
    }
}

} // namespace

std::map<std::string, ViewFactory> &QtShell::Factories() {
    static std::map<std::string, ViewFactory> f;
    return f;
}

void QtShell::Register(const std::string &className, ViewFactory factory) { Factories()[className] = std::move(factory); }

QtShell::QtShell() = default;
QtShell::~QtShell() = default;

host::Answer QtShell::MsgBox(const std::string &text, const std::string &title, host::Icon icon,
                             host::Buttons buttons, host::Answer defaultAnswer) {
    QMessageBox box(ToQt(icon), Q(title), Q(text), QMessageBox::NoButton, QApplication::activeWindow());
    std::map<QAbstractButton *, host::Answer> answers;
    auto add = [&](const char *caption, QMessageBox::ButtonRole role, host::Answer a) {
        QPushButton *b = box.addButton(QString::fromUtf8(caption), role);
        answers[b] = a;
        if (a == defaultAnswer) {
            box.setDefaultButton(b);
        }
        if (a == host::Answer::Cancel || a == host::Answer::No) {
            box.setEscapeButton(b);
        }
    };
    switch (buttons) {
    case host::Buttons::Ok:
        add("Aceptar", QMessageBox::AcceptRole, host::Answer::Ok);
        break;
    case host::Buttons::OkCancel:
        add("Aceptar", QMessageBox::AcceptRole, host::Answer::Ok);
        add("Cancelar", QMessageBox::RejectRole, host::Answer::Cancel);
        break;
    case host::Buttons::YesNo:
        add("&Sí", QMessageBox::YesRole, host::Answer::Yes);
        add("&No", QMessageBox::NoRole, host::Answer::No);
        break;
    case host::Buttons::YesNoCancel:
        add("&Sí", QMessageBox::YesRole, host::Answer::Yes);
        add("&No", QMessageBox::NoRole, host::Answer::No);
        add("Cancelar", QMessageBox::RejectRole, host::Answer::Cancel);
        break;
    }
    box.exec();
    auto it = answers.find(box.clickedButton());
    return it == answers.end() ? (buttons == host::Buttons::Ok ? host::Answer::Ok : host::Answer::Cancel) : it->second;
}

View *QtShell::Find(host::Window &window) {
    auto it = open_.find(&window);
    return it == open_.end() ? nullptr : it->second;
}

void QtShell::ShowModal(host::Window &window) {
    auto f = Factories().find(window.ClassName());
    if (f == Factories().end()) {
        MsgBox("Esta ventana aún no está disponible: " + window.ClassName(), "¡ Atención !", host::Icon::Warning,
               host::Buttons::Ok, host::Answer::Ok);
        window.Hide();
        return;
    }
    std::unique_ptr<View> view = f->second(window, *this, QApplication::activeWindow());
    open_[&window] = view.get();
    view->Refresh();
    if (auto *dialog = qobject_cast<QDialog *>(view->Widget())) {
        dialog->exec();
    } else {
        view->Widget()->show();
    }
    open_.erase(&window);
    window.Hide();
}

View *QtShell::ShowTop(host::Window &window) {
    auto f = Factories().find(window.ClassName());
    if (f == Factories().end()) {
        return nullptr;
    }
    top_ = f->second(window, *this, nullptr);
    open_[&window] = top_.get();
    top_->Refresh();
    top_->Widget()->show();
    return top_.get();
}

std::string QtShell::OpenFile(const std::string &title, const std::vector<host::FileFilter> &filters,
                              const std::string &initialDir) {
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), Q(title), Q(initialDir), FilterText(filters))
        .toStdString();
}

std::string QtShell::SaveFile(const std::string &title, const std::vector<host::FileFilter> &filters,
                              const std::string &suggestedName) {
    QFileDialog dialog(QApplication::activeWindow(), Q(title), Q(suggestedName), FilterText(filters));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // A name typed without an ending gets the chosen filter's first one, as Windows' dialog gives it.
    auto sufijo = [&filters](std::size_t i) {
        std::string p = i < filters.size() ? filters[i].pattern : std::string();
        p = p.substr(0, p.find(' '));
        return p.rfind("*.", 0) == 0 && p.find_first_of("*?", 2) == std::string::npos ? Q(p.substr(2)) : QString();
    };
    dialog.setDefaultSuffix(sufijo(0));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString &filtro) {
        QStringList todos = FilterText(filters).split(QStringLiteral(";;"));
        dialog.setDefaultSuffix(sufijo(static_cast<std::size_t>(todos.indexOf(filtro))));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().first().toStdString();
}

void QtShell::SetClipboard(const std::string &text) { QGuiApplication::clipboard()->setText(Q(text)); }

int QtShell::TaskDialog(const host::TaskDialogOpciones &dialogo) {
    QMessageBox box(ToQt(dialogo.icon), Q(dialogo.title), QString(), QMessageBox::NoButton, QApplication::activeWindow());
    box.setTextFormat(Qt::RichText);
    box.setText(Q(TextBlockToHtml(dialogo.instruction)));
    box.setInformativeText(Q(TextBlockToHtml(dialogo.content)));
    std::vector<QPushButton *> buttons;
    for (const auto &b : dialogo.buttons) {
        buttons.push_back(box.addButton(Q(b), QMessageBox::AcceptRole));
    }
    if (buttons.empty()) {
        buttons.push_back(box.addButton(QStringLiteral("Aceptar"), QMessageBox::AcceptRole));
    }
    box.exec();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (box.clickedButton() == buttons[i]) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void QtShell::Esperar(int milisegundos) {
    // Paints and timers run, but no click reaches a window while the operation is under way.
    QEventLoop loop;
    QTimer::singleShot(milisegundos, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

void QtShell::Progress(bool visible, const std::string &text) {
    if (!visible) {
        QApplication::restoreOverrideCursor();
        if (progress_) {
            progress_->hide();
        }
        return;
    }
    if (!progress_) {
        progress_ = std::make_unique<QWidget>(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
        auto *layout = new QHBoxLayout(progress_.get());
        auto *icon = new QLabel(progress_.get());
        icon->setPixmap(progress_->style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
        progressLabel_ = new QLabel(QString::fromUtf8("Realizando operación, espere un momento por favor..."),
                                    progress_.get());
        QFont f = progressLabel_->font();
        f.setBold(true);
        progressLabel_->setFont(f);
        layout->addWidget(icon);
        layout->addWidget(progressLabel_);
        progress_->setStyleSheet("QWidget { background: #ffffe1; border: 1px solid #808080; }");
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (!text.empty()) {
        progressLabel_->setText(Q(text));
    }
    // Width: the measured text plus a fixed margin, as the progress window always had.
    QFontMetrics fm(progressLabel_->font());
    int margin = TwipsToPixels(2500);
    progress_->resize(fm.horizontalAdvance(progressLabel_->text()) + margin, 60);
    if (QWidget *w = QApplication::activeWindow()) {
        progress_->move(w->geometry().center() - progress_->rect().center());
    }
    progress_->show();
    progress_->repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtShell::MostrarInforme(const host::Informe &informe) {
    InformeView view(informe, QApplication::activeWindow());
    view.exec();
}

void QtShell::ImprimirReporte(const host::Reporte &reporte) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        ImprimirReporteEnImpresora(reporte);
    } catch (...) {
        QApplication::restoreOverrideCursor();
        throw;
    }
    QApplication::restoreOverrideCursor();
}

void QtShell::Focus(host::Window &window, const std::string &control) {
    if (View *v = Find(window)) {
        if (QWidget *w = v->ControlWidget(control)) {
            w->setFocus();
        }
    }
}

void QtShell::Refresh(host::Window &window) {
    if (View *v = Find(window)) {
        v->Refresh();
    }
}

} // namespace ui
