#pragma once

#include "host/Shell.h"

#include <exception>
#include <functional>
#include <string>

namespace host {

// Base of every window controller: its class name (for error tags), its shell, its lifecycle.
class Window {
  public:
    Window(std::string className, Shell &shell) : className_(std::move(className)), shell_(&shell) {}
    virtual ~Window() = default;
    Window(const Window &) = delete;
    Window &operator=(const Window &) = delete;

    const std::string &ClassName() const { return className_; }
    Shell &Ui() const { return *shell_; }
    void SetShell(Shell &shell) { shell_ = &shell; }

    // Load step, run when the window is shown after being (re)created or unloaded.
    virtual void Form_Load() {}
    virtual void Form_Unload() {}
    bool Loaded() const { return loaded_; }
    bool Visible() const { return visible_; }
    // Loads if needed and shows; modal windows go through the shell.
    void Show(int modal = 0);
    void Hide() { visible_ = false; }
    void Unload();
    // The window asks to be closed (Salir, Escape, Aceptar...).
    void Close() { Unload(); }
    // Told after the window unloaded (the catalogue host classes drop their window then).
    std::function<void(Window &)> alDescargar;

    // Runs a procedure under the module's error trap: on failure the description is shown with the
    // stop icon and the tag "Class:procedure" ("[line] " first when a numbered line failed), the
    // progress window is hidden and false is returned.
    template <class F> bool Trap(const char *procedure, F &&body) {
        line_ = 0;
        try {
            body();
            return true;
        } catch (const std::exception &e) {
            Report(procedure, e.what());
        } catch (...) {
            Report(procedure, "Error desconocido");
        }
        return false;
    }

  protected:
    // Numbered statements set this so that an error names them.
    void Line(int n) { line_ = n; }

  private:
    void Report(const char *procedure, const std::string &description);

    std::string className_;
    Shell *shell_;
    bool loaded_ = false;
    bool cargando_ = false;
    bool falloCarga_ = false;
    bool visible_ = false;
    int line_ = 0;
};

} // namespace host
