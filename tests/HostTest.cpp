#include "db/DbError.h"
#include "host/ConsoleShell.h"
#include "host/Grid.h"
#include "host/Progress.h"
#include "host/ScriptedShell.h"
#include "host/Window.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>

namespace {

class Probe : public host::Window {
  public:
    explicit Probe(host::Shell &s) : Window("frmProbe", s) {}
    int loads = 0;
    void Form_Load() override { ++loads; }
    bool Fails(int line) {
        return Trap("Cargar", [&] {
            host::MostrarProgreso(Ui(), true, "Cargando extractos, espere por favor...");
            if (line) {
                Line(line);
            }
            throw db::DbError("no such table: Nada", "SELECT * FROM Nada");
        });
    }
};

TEST(HostWindow, ErrorTrapShowsDescriptionWithTagAndHidesProgress) {
    host::ScriptedShell shell;
    Probe w(shell);
    EXPECT_FALSE(w.Fails(0));
    EXPECT_EQ(shell.Last(), "critical|frmProbe:Cargar|no such table: Nada");
    EXPECT_TRUE(shell.ProgressHidden());
    EXPECT_FALSE(w.Fails(40));
    EXPECT_EQ(shell.Last(), "critical|[40] frmProbe:Cargar|no such table: Nada");
    EXPECT_TRUE(w.Trap("Bien", [] {}));
    EXPECT_EQ(shell.messages.size(), 2u);
}

TEST(HostWindow, ShowLoadsOnceUntilUnloaded) {
    host::ScriptedShell shell;
    Probe w(shell);
    w.Show();
    w.Show();
    EXPECT_EQ(w.loads, 1);
    w.Close();
    EXPECT_FALSE(w.Loaded());
    w.Show(1);
    EXPECT_EQ(w.loads, 2);
    EXPECT_EQ(shell.modals, std::vector<std::string>{"frmProbe"});
}

TEST(HostProgress, EmptyTextShowsTheDefaultAndWidthAddsTheMargin) {
    host::ScriptedShell shell;
    host::MostrarProgreso(shell, true);
    host::MostrarProgreso(shell, false);
    EXPECT_EQ(shell.progress, (std::vector<std::string>{"Realizando operación, espere por favor...", ""}));
    EXPECT_EQ(host::AnchoProgreso(3000), 5500);
}

TEST(HostGrid, RowsTicksColoursAndBounds) {
    host::Grid g;
    g.columns = {{"", 400, host::GridAlign::Left, host::GridType::Boolean}, {"Almacén"}, {"Extracto"}};
    g.AddItem("0\t1\tE1");
    g.AddItem("0\t2");
    EXPECT_EQ(g.Rows(), 3);
    EXPECT_EQ(g.Text(2, 2), "");
    EXPECT_EQ(g.Text(0, 1), "Almacén");
    g.Toggle(2);
    EXPECT_TRUE(g.Ticked(2));
    EXPECT_EQ(g.TickedCount(), 1);
    g.SetRowBackColor(1, 0xC0FFC0);
    g.SetCellBackColor(1, 2, 0xFF);
    EXPECT_EQ(g.CellBackColor(1, 1), 0xC0FFC0);
    EXPECT_EQ(g.CellBackColor(1, 2), 0xFF);
    EXPECT_EQ(g.CellBackColor(2, 2), -1);
    EXPECT_THROW(g.Text(3, 0), std::out_of_range);
    g.row = 2;
    g.RemoveRow(2);
    EXPECT_EQ(g.row, 1);
    g.Clear();
    EXPECT_EQ(g.Rows(), 1);
}

TEST(HostConsoleShell, OneLinePerMessageAndNoUnlessYes) {
    std::ostringstream err;
    host::ConsoleShell no(err, false);
    EXPECT_EQ(no.MsgBox("¿Seguro?\r\nDe verdad", "¡ Atención !", host::Icon::Question, host::Buttons::YesNo,
                        host::Answer::Yes),
              host::Answer::No);
    EXPECT_EQ(err.str(), "question|¡ Atención !|¿Seguro?\\nDe verdad\n");
    host::ConsoleShell yes(err, true);
    EXPECT_EQ(yes.MsgBox("x", "t", host::Icon::Question, host::Buttons::YesNo, host::Answer::No), host::Answer::Yes);
    EXPECT_EQ(yes.warningsShown, 0);
    static_cast<host::Shell &>(yes).MsgBox("mal", "t", host::Icon::Warning);
    EXPECT_EQ(yes.warningsShown, 1);
}

} // namespace
