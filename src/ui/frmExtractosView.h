#pragma once

#include "ui/LineasLookupBox.h"
#include "ui/QtShell.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTableView;

namespace statements {
class frmExtractos;
}

namespace ui {

class GridModel;

// The supplier statement list: filters on top, the grid, the buttons along the bottom.
class frmExtractosView : public QDialog, public View {
  public:
    frmExtractosView(statements::frmExtractos &w, QWidget *parent);
    QWidget *Widget() override { return this; }
    void Refresh() override;
    QWidget *ControlWidget(const std::string &name) override;

  protected:
    void keyPressEvent(QKeyEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;

  private:
    void ReadFilters();
    void Reload();
    statements::frmExtractos &w_;
    GridModel *model_;
    QTableView *grid_;
    LineasLookupBox *almacen_;
    QLineEdit *extracto_, *fechaI_, *fechaF_;
    QComboBox *estado_;
    QCheckBox *todos_;
    std::map<std::string, QPushButton *> buttons_;
    bool refreshing_ = false;
};

} // namespace ui
