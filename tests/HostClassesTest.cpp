#include "fixtures/DemoDb.h"
#include "host/ScriptedShell.h"
#include "host/classes/EntryPoints.h"
#include "host/classes/HostClass.h"
#include "statements/frmExtractos.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <fstream>
#include <sstream>

namespace {

class HostClasses : public ::testing::Test {
  protected:
    HostClasses() { host::Contexto::Global().shell = &shell; }
    ~HostClasses() override { host::Contexto::Global().shell = nullptr; }

    std::unique_ptr<host::HostClassLumbra> Extractos() {
        auto obj = host::CrearObjeto("VRNXComprasPagoCentral.frmclsExtractos");
        auto *lumbra = dynamic_cast<host::HostClassLumbra *>(obj.get());
        EXPECT_NE(lumbra, nullptr);
        obj.release();
        auto cls = std::unique_ptr<host::HostClassLumbra>(lumbra);
        auto &c = host::Contexto::Global();
        cls->EmpresaVarnex(c.empresaVarnex);
        cls->ConexionVarnex(c.conexionVarnex);
        cls->EmpresaLumbra(c.empresaLumbra);
        cls->ConexionLumbra(c.conexionLumbra);
        return cls;
    }
    int Loads() const {
        int n = 0;
        for (const auto &p : shell.progress) {
            n += p == "Cargando extractos, espere por favor...";
        }
        return n;
    }

    DemoDb demo;
    host::ScriptedShell shell;
};

TEST_F(HostClasses, ShowTwiceReusesTheWindowAndAfterClosingReloadsIt) {
    auto cls = Extractos();
    EXPECT_EQ(cls->Ventana(), nullptr);
    cls->Show();
    auto *w = dynamic_cast<statements::frmExtractos *>(cls->Ventana());
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->Visible());
    EXPECT_EQ(w->vsExtractos.DataRows(), 10);
    cls->Show();
    EXPECT_EQ(cls->Ventana(), w);
    EXPECT_EQ(Loads(), 1);

    demo.erp->Execute("DELETE FROM Compras_PagosCentral_Extractos WHERE Cod_Almacen = 1");
    w->cmdSalir_Click();
    EXPECT_FALSE(w->Loaded());
    cls->Show();
    EXPECT_EQ(cls->Ventana(), w); // the same object, freshly loaded
    EXPECT_EQ(Loads(), 2);
    EXPECT_EQ(w->vsExtractos.DataRows(), 8);

    cls.reset(); // releasing the class unloads its window
    EXPECT_EQ(host::HostClass::Vivos(), 0);
}

TEST_F(HostClasses, AConnectionSetOnOneClassIsWhatEveryWindowUses) {
    auto cls = Extractos();
    DemoDb other(false); // an empty company database, handed in through another class
    auto tipos = host::CrearObjeto("VRNXComprasPagoCentral.frmclsTiposPago");
    ASSERT_NE(tipos, nullptr);
    tipos->ConexionVarnex(other.erp);
    tipos->EmpresaVarnex(std::make_shared<suite::EmpresaVarnex>(demo.erp, 1)); // parameters from the demo
    cls->Show();
    auto *w = dynamic_cast<statements::frmExtractos *>(cls->Ventana());
    EXPECT_EQ(w->vsExtractos.DataRows(), 0);
    EXPECT_TRUE(shell.messages.empty()) << shell.Last();
    EXPECT_EQ(host::Contexto::Global().conexionVarnex, other.erp);
}

TEST_F(HostClasses, CatalogueClassesHoldTheirWindowUntilItUnloads) {
    for (const char *id : {"VRNXComprasPagoCentral.frmclsRecConcep", "VRNXComprasPagoCentral.frmclsRecTip",
                           "VRNXComprasPagoCentral.frmclsTiposPago"}) {
        auto cls = host::CrearObjeto(id);
        ASSERT_NE(cls, nullptr) << id;
        host::Window *first = cls->Ventana();
        ASSERT_NE(first, nullptr) << "created with the class: " << id;
        EXPECT_FALSE(first->Visible());
        EXPECT_EQ(dynamic_cast<host::HostClassLumbra *>(cls.get()), nullptr);
        cls->Show();
        EXPECT_TRUE(first->Visible());
        cls->Show();
        EXPECT_EQ(cls->Ventana(), first);
        first->Close();
        EXPECT_EQ(cls->Ventana(), nullptr) << "dropped when its window unloaded: " << id;
        cls->Show();
        ASSERT_NE(cls->Ventana(), nullptr);
        EXPECT_TRUE(cls->Ventana()->Visible());
    }
    EXPECT_EQ(host::HostClass::Vivos(), 0);
}

TEST_F(HostClasses, FactoryKnowsTheSixIdentifiersOnly) {
    int n = 0;
    const char *const *ids = host::ProgIds(n);
    ASSERT_EQ(n, 6);
    for (int i = 0; i < n; ++i) {
        auto obj = host::CrearObjeto(ids[i]);
        ASSERT_NE(obj, nullptr) << ids[i];
        EXPECT_STREQ(obj->ProgId(), ids[i]);
    }
    EXPECT_NE(host::CrearObjeto("vrnxcompraspagocentral.FRMCLSEXTRACTOS"), nullptr);
    EXPECT_EQ(host::CrearObjeto("VRNXComprasPagoCentral.frmExtractos"), nullptr);
    EXPECT_EQ(host::CrearObjeto(""), nullptr);
}

TEST_F(HostClasses, SharedLibraryExportsTheFourEntryPoints) {
    TempDir dir;
    std::string registry = dir.File("registro.ini");
    setenv("PAGOCENTRAL_REGISTRY", registry.c_str(), 1);
    void *lib = dlopen(PC_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(lib, nullptr) << dlerror();
    auto get = reinterpret_cast<int (*)(const char *, void **)>(dlsym(lib, "DllGetClassObject"));
    auto release = reinterpret_cast<void (*)(void *)>(dlsym(lib, "DllReleaseObject"));
    auto canUnload = reinterpret_cast<int (*)()>(dlsym(lib, "DllCanUnloadNow"));
    auto reg = reinterpret_cast<int (*)()>(dlsym(lib, "DllRegisterServer"));
    auto unreg = reinterpret_cast<int (*)()>(dlsym(lib, "DllUnregisterServer"));
    ASSERT_TRUE(get && release && canUnload && reg && unreg);

    EXPECT_EQ(canUnload(), 0);
    void *obj = nullptr;
    EXPECT_EQ(get("VRNXComprasPagoCentral.frmclsVisor_Rec", &obj), 0);
    ASSERT_NE(obj, nullptr);
    EXPECT_EQ(canUnload(), 1);
    release(obj);
    EXPECT_EQ(canUnload(), 0);
    EXPECT_EQ(static_cast<unsigned>(get("VRNXComprasPagoCentral.NoExiste", &obj)), 0x80040111u);
    EXPECT_EQ(obj, nullptr);

    {
        std::ofstream other(registry);
        other << "[Clases]\nOtraBiblioteca.frmclsOtra=/opt/otra.so\n";
    }
    EXPECT_EQ(reg(), 0);
    EXPECT_EQ(reg(), 0); // registering twice keeps one entry per class
    std::stringstream ss;
    ss << std::ifstream(registry).rdbuf();
    std::string text = ss.str();
    EXPECT_NE(text.find("OtraBiblioteca.frmclsOtra=/opt/otra.so"), std::string::npos);
    EXPECT_NE(text.find("VRNXComprasPagoCentral.frmclsExtractos="), std::string::npos);
    EXPECT_EQ(text.find("VRNXComprasPagoCentral.frmclsExtractos="),
              text.rfind("VRNXComprasPagoCentral.frmclsExtractos="));
    EXPECT_EQ(unreg(), 0);
    std::stringstream after;
    after << std::ifstream(registry).rdbuf();
    EXPECT_EQ(after.str(), "[Clases]\nOtraBiblioteca.frmclsOtra=/opt/otra.so\n");
    dlclose(lib);
    unsetenv("PAGOCENTRAL_REGISTRY");
}

} // namespace
